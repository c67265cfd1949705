#pragma once
// The XML word service: one English word in, a document with the word as the service spells it
// (key), its definition (def) and example sentences (sent, each with orig and trans) out.

#include <QString>

class QDomDocument;
class QTextEdit;

// Loads the service's answer for Word into Doc; the word reaches the service whole, whatever
// characters it holds. True when the service knows
// the word: the root has a first child element and it is not "def". A failed request or an answer
// that is not XML throws WebError (platform/http.h), leaving Doc empty.
bool PLoadWordXml(QDomDocument &Doc, const QString &Word);
// Appends six lines to Memo: the first three example sentences, each followed by its translation,
// empty lines for sentences the answer lacks. The first two sent elements leave the document.
void PShowExampleSentences(QDomDocument &Doc, QTextEdit *Memo);
