#pragma once
#include "ZNetworkRecorder.h"
#include "ZObjectEdit.h"

#include <memory>
#include <string>

class ZDocument;
class ZNetObject;

// The way every caller makes a recorded change to a document's network:
//
//     ZEditTransaction tx(doc, "插入管道");
//     tx.Touch(node);                  // before changing its fields, flags, position or Id
//     node->X = x;
//     network.AddLink(a, b, pipe);     // the network records what it connects by itself
//     tx.Added(pipe);
//     network.TakeOutLink(old, removed);
//     for (ZNetObject* o : removed)
//         tx.Removed(o);               // the history owns what was taken out: never delete it
//     tx.Commit();                     // one undo step, announced once
//
// Touch comes before the change; Added and Removed after it. ZNetwork's AddNode, AddLink,
// TakeOutLink, TakeOutNode, MergeNodes and re-sorts record the objects whose connections they
// change, so only an object's own fields need a Touch. A transaction left without Commit (an
// error, a cancelled dialog) puts everything back as it was and announces nothing; objects given
// to Added are then deleted. A transaction opened while another is open on the same document
// joins it: its Commit and Cancel do nothing and the outer one records the whole change.
class ZEditTransaction : private ZNetworkRecorder {
public:
    ZEditTransaction(ZDocument& doc, std::string text);
    ~ZEditTransaction() override;
    ZEditTransaction(const ZEditTransaction&) = delete;
    ZEditTransaction& operator=(const ZEditTransaction&) = delete;

    void Touch(ZNetObject* obj);
    // Before a change of values or flags only (no position, Id or connection): records the
    // object alone, not its ends, which makes whole-network value changes cheap.
    void TouchFields(ZNetObject* obj);
    void Added(ZNetObject* obj);
    void Removed(ZNetObject* obj);

    // The change is announced with this code when it goes into effect (see ZObjectEdit).
    void AnnounceAs(int code);

    // Records the change as one edit of the history and announces it. False when nothing was
    // recorded (no edit, no announcement) or when this transaction joined an outer one.
    bool Commit();
    // Puts every recorded object back as it was when the transaction opened.
    void Cancel();

    ZDocument& Document() const { return m_doc; }
    bool IsOpen() const { return m_edit != nullptr; }

private:
    void WillChange(ZNetObject* obj) override;
    void Close();

    ZDocument& m_doc;
    ZEditTransaction* m_outer = nullptr;
    std::unique_ptr<ZObjectEdit> m_edit;
};
