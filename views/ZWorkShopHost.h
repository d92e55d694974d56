#pragma once
#include "model/PipePoint.h"

#include <memory>
#include <string>

class ObjectPropertyEditor;
class Prompt;
class QWidget;
class ZDocument;
class ZNetCanvas;
class ZSettingsStore;
class ZWorkShop;

// Runs the editing workshop of one canvas: starts one for a command, hands it every click until
// its step is done, restarts it in continuous mode, and aborts it on Escape, on another command and
// when the view goes.
class ZWorkShopHost {
public:
    enum Operation { Insert = 1, Delete = 2, Move = 3 };
    enum ObjectClass { NodeClass, PipeClass, PumpClass, ValveClass, TankClass };
    // Cursor resources of the operations.
    enum CursorId { InsertCursor = 266, DeleteCursor = 267, MoveCursor = 306 };

    explicit ZWorkShopHost(ZNetCanvas& canvas);
    ~ZWorkShopHost();

    // What the workshops need beyond the canvas: the settings (templates, PipeSerialMode), the
    // questions and refusals, the node dialog and the window that owns dialogs. Without a prompt
    // every question is answered no; without an editor a new node's dialog counts as cancelled.
    void SetServices(ZSettingsStore* settings, Prompt* prompt, ObjectPropertyEditor* editor, QWidget* dialogParent);

    bool Start(Operation op, ObjectClass cls, bool continuous);
    // A click record at a world point; false when no workshop runs.
    bool Click(const PipePoint& at);
    // After a committed step: the same operation again in continuous mode, else the end.
    void FinishStep();
    // Undoes a half-done step and ends the workshop.
    void Abort();

    bool IsActive() const { return m_workshop != nullptr; }
    ZWorkShop* WorkShop() const { return m_workshop.get(); }
    bool IsContinuous() const { return m_continuous; }
    void SetContinuous(bool on) { m_continuous = on; }
    // The cursor of the running operation, -1 when none runs.
    int GetCursor() const { return m_workshop ? m_cursor : -1; }
    // The status bar's text while a workshop runs (why the last click did nothing, then what the
    // next one does); empty when none runs.
    std::string StatusText() const;

    ZNetCanvas& Canvas() const { return m_canvas; }
    ZDocument* Document() const;
    ZSettingsStore* Settings() const { return m_settings; }
    Prompt* Asker() const { return m_prompt; }
    ObjectPropertyEditor* Editor() const { return m_editor; }
    QWidget* DialogParent() const { return m_dialogParent; }

private:
    void Destroy();

    ZNetCanvas& m_canvas;
    bool m_continuous = false;
    int m_cursor = -1;
    bool m_inClick = false;
    bool m_endPending = false;
    std::unique_ptr<ZWorkShop> m_workshop;
    ZSettingsStore* m_settings = nullptr;
    Prompt* m_prompt = nullptr;
    ObjectPropertyEditor* m_editor = nullptr;
    QWidget* m_dialogParent = nullptr;
};
