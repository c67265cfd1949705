#include "support/recordingbrowser.h"

RecordingBrowser::RecordingBrowser() : m_previous(&PBrowser())
{
    PSetBrowser(this);
}

RecordingBrowser::~RecordingBrowser()
{
    PSetBrowser(m_previous == this ? nullptr : m_previous);
}
