// Sound, speech and the web are loaded when first used, not with the program.

#include "platform/http.h"
#include "platform/sound.h"
#include "platform/speech.h"

#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

#include <elf.h>
#include <cstring>

namespace {

// The libraries an executable file names as needed, read from its dynamic section.
QStringList neededLibraries(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray image = f.readAll();
    const char *base = image.constData();
    Elf64_Ehdr eh;
    if (image.size() < qsizetype(sizeof eh))
        return {};
    memcpy(&eh, base, sizeof eh);
    auto section = [&](int i) {
        Elf64_Shdr sh;
        memcpy(&sh, base + eh.e_shoff + qint64(i) * eh.e_shentsize, sizeof sh);
        return sh;
    };
    QStringList out;
    for (int i = 0; i < eh.e_shnum; ++i) {
        const Elf64_Shdr dyn = section(i);
        if (dyn.sh_type != SHT_DYNAMIC)
            continue;
        const Elf64_Shdr strings = section(int(dyn.sh_link));
        for (Elf64_Xword at = 0; at + sizeof(Elf64_Dyn) <= dyn.sh_size; at += sizeof(Elf64_Dyn)) {
            Elf64_Dyn d;
            memcpy(&d, base + dyn.sh_offset + at, sizeof d);
            if (d.d_tag == DT_NEEDED)
                out << QString::fromLatin1(base + strings.sh_offset + d.d_un.d_val);
        }
    }
    return out;
}

bool mapped(const char *library)
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    return maps.open(QIODevice::ReadOnly) && maps.readAll().contains(library);
}

}  // namespace

TEST(LoadOnUse, TheProgramNeedsOnlyItsCoreLibrariesAtStart)
{
    const QStringList needed = neededLibraries(QStringLiteral("/proc/self/exe"));
    ASSERT_TRUE(needed.contains(QStringLiteral("libsqlite3.so.0"))) << needed.join(QLatin1Char(' ')).toStdString();
    for (const char *late : {"curl", "SDL", "espeak", "fluidsynth"})
        for (const QString &lib : needed)
            EXPECT_FALSE(lib.contains(QLatin1String(late))) << lib.toStdString();
}

TEST(LoadOnUse, EachLibraryLoadsWithItsFirstUse)
{
    EXPECT_TRUE(Sound::available());
    EXPECT_TRUE(mapped("libSDL2_mixer"));
    EXPECT_TRUE(TSpVoice().Available());
    EXPECT_TRUE(mapped("libespeak-ng"));
    HttpCanConnect(QStringLiteral("http://127.0.0.1:9/"));
    EXPECT_TRUE(mapped("libcurl"));
}
