#pragma once
// What the tests of the shell windows share: the program's web pages served on loopback, and
// letting queued events run.

#include "support/loopbackweb.h"

#include <QByteArray>
#include <QString>

namespace ShellTest {

// The article page with three recommended articles: titles 文章N, addresses .../aN.html.
QByteArray articlePage();
QString articleUrl(int n);
QByteArray statusPage();

// Serves the status and article pages on web.
void serveSite(LoopbackWeb &web);

// Lets posted events and short timers run.
void settle();

}  // namespace ShellTest
