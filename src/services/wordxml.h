#pragma once
// The XML word service: one English word in, a document with the word as the service spells it
// (key), its definition (def) and example sentences (sent, each with orig and trans) out.

#include <QString>

class HttpWaiter;
class QDomDocument;
class QTextEdit;

// What asking the service for a word gave.
enum class TPWordAnswer {
    Known,        // the service knows the word: Doc holds its answer
    Unknown,      // the service answered that it does not know it
    Unreachable,  // offline, or the connection was refused
    NoAnswer,     // the service took the connection but did not answer in time
    Failed,       // an error status, or an answer that is not about the word
    Cancelled     // the window asking closed, or the program quit, before the answer came
};

// Loads the service's answer for Word into Doc; the word reaches the service whole, whatever
// characters it holds. True when the service knows the word: the root has a first child element,
// it is not "def", and the root holds the word's entry (key and def). False when the root holds
// no element or begins with def. A failed request, an answer that is not XML, or one that holds
// no entry (a web page, say) throws WebError (platform/http.h), leaving Doc empty.
bool PLoadWordXml(QDomDocument &Doc, const QString &Word);
// Appends six lines to Memo: the first three example sentences, each followed by its translation,
// empty lines for sentences the answer lacks. The first two sent elements leave the document.
void PShowExampleSentences(QDomDocument &Doc, QTextEdit *Memo);

// Whether the program can go online (PIsOnline), with the waiter asking while this thread keeps
// handling events. A probe given up (the waiter cancelled) gives true: it did not find the site
// down, and the ask that follows ends in Cancelled at once.
bool PIsOnlineWaiting(HttpWaiter &Waiter);
// PLoadWordXml(Doc, Word) with the waiter asking; a failed request gives its kind instead of an
// error.
TPWordAnswer PAskWordService(QDomDocument &Doc, const QString &Word, HttpWaiter &Waiter);
// What the learner is told while the service is being asked.
QString PWordServiceAsking();
// What the learner is told of an answer that is no answer about the word: empty for Known and
// Unknown.
QString PWordServiceTrouble(TPWordAnswer Answer);
