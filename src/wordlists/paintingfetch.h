#pragma once
// A look-up in the XML word service during which the waiting window still paints: the request
// runs on a thread of its own while this thread handles every event but the learner's input.

#include <QString>

class QDomDocument;

// PLoadWordXml(Doc, Word), with the same result and the same WebError on failure.
bool PLoadWordXmlPainting(QDomDocument &Doc, const QString &Word);
