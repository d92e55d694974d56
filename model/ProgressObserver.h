#pragma once

// Long work reports how far it has come (0..1) and asks whether to stop; it never blocks.
class ProgressObserver {
public:
    virtual ~ProgressObserver() = default;
    virtual void Progress(double fraction) = 0;
    virtual bool StopRequested() const { return false; }
};
