// Tree segments drawn on a device context with a fresh one-pixel pen each, as the tree has always
// been drawn; the window's drawing thread, paints and printing share it.
#pragma once

#include "platform/CDC.h"
#include "view/tree/TreeWalker.h"

namespace morvale {

class TreeDeviceCanvas : public TreeCanvas {
public:
    // oldPen receives the pen each segment replaces (the view keeps it as its OldPen).
    TreeDeviceCanvas(CDC& dc, CPen*& oldPen) : dc_(dc), oldPen_(oldPen) {}

    void MoveTo(TreePoint point) override { dc_.MoveTo(point.x, point.y); }

    void LineTo(TreePoint to, COLORREF colour) override {
        CPen pen(PS_SOLID, 1, colour);
        oldPen_ = dc_.SelectObject(&pen);
        dc_.LineTo(to.x, to.y);
        dc_.SelectObject(oldPen_);
    }

    void NodeDone() override {}

private:
    CDC& dc_;
    CPen*& oldPen_;
};

}  // namespace morvale
