#pragma once

class CQENDoc;
class QWidget;
class UiPrompt;

// Generates a document's contours with the progress window and puts them into the document.
// A stop, a refused interval or level count, or a network without pipes leaves no contours and
// switches them off (the document is then modified); the reason is shown unless the user stopped.
class CContourRun {
public:
    static bool Generate(CQENDoc& doc, QWidget* owner, UiPrompt& prompt);
    // Generates when the document shows contours and has balancing results. An interval that
    // gives more levels than can be read is first offered a coarser one (once per document and
    // interval: a refusal is remembered until the document closes).
    static bool GenerateIfShown(CQENDoc& doc, QWidget* owner, UiPrompt& prompt);
};
