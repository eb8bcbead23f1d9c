#pragma once
// A document and a tool machine driven without a window: a fixed screen page of
// 1000 x 700 pixels holding an A4 landscape sheet, clicks given in sheet millimetres.
#include "ardelib/DefArchive.h"
#include "ardelib/Message.h"
#include "document/PelmoraDoc.h"
#include "edit/ToolMachine.h"
#include "platform/Profile.h"
#include "render/PageDraw.h"

#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const PelPoint& p, std::ostream* os) { *os << "(" << p.x << ", " << p.y << ")"; }

class FakeHost : public IToolHost {
public:
    explicit FakeHost(CPelmoraDoc& doc) : m_doc(doc) { Rebuild(); }
    void Rebuild()
    {
        PageDevice dev;
        dev.dpiX = dev.dpiY = 96;
        dev.sheetW = 297;
        dev.sheetH = 210;
        dev.paper = ComputePaperRect(1000, 700, 1000, 700, 297, 210);
        paper = dev.paper;
        dc = MakeDrawContext(m_doc, dev, 0, zoom, false);
    }
    const CDrawContext& ScreenContext() const override { return dc; }
    double Zoom() const override { return zoom; }
    void ZoomAt(double z, PelPoint at) override
    {
        zoom = z;
        zoomedAt = at;
        ++zooms;
    }
    void ZoomOut() override { ++zoomOuts; }
    void WholePage() override
    {
        zoom = 1;
        ++wholePages;
    }
    QPoint ScrollPos() const override { return scroll; }
    void ScrollTo(QPoint p) override { scroll = p; }
    int UnzoomedPaperWidth() const override { return paper.Width(); }
    int UnzoomedPaperHeight() const override { return paper.Height(); }
    bool AskRelative(PelPoint base, PelPoint& result) override
    {
        asked = base;
        result = {base.x + relative.x, base.y - relative.y};
        return acceptRelative;
    }
    void ContextMenu(QPoint, int which, bool greyed) override
    {
        menus.push_back(which);
        lastGreyed = greyed;
    }

    CDrawContext dc;
    PxRect paper;
    double zoom = 1;
    PelPoint zoomedAt;
    int zooms = 0, zoomOuts = 0, wholePages = 0;
    QPoint scroll;
    PelPoint asked, relative;
    bool acceptRelative = true;
    std::vector<int> menus;
    bool lastGreyed = false;

private:
    CPelmoraDoc& m_doc;
};

class EditTest : public ::testing::Test {
protected:
    EditTest() : host(doc), tools(doc, host) {}

    QPoint Px(double x, double y) const { return host.dc.t.ToDevice(doc.m_plotInfo.m_layer.EditGroup(), x, y); }
    void Send(CEditEvent::Type type, QPoint px, int buttons = 0, int modifiers = 0)
    {
        CEditEvent e;
        e.type = type;
        e.px = px;
        e.buttons = buttons;
        e.modifiers = modifiers;
        tools.Handle(e);
    }
    // A click where the sheet point (x, y) lies, or at a pixel offset from it.
    void Click(double x, double y, QPoint nudge = {}, int modifiers = 0)
    {
        Send(CEditEvent::Press, Px(x, y) + nudge, CEditEvent::Left, modifiers);
        Send(CEditEvent::Release, Px(x, y) + nudge, 0, modifiers);
    }
    void DoubleClick(double x, double y)
    {
        Click(x, y);
        Send(CEditEvent::DoubleClick, Px(x, y), CEditEvent::Left);
        Send(CEditEvent::Release, Px(x, y));
    }
    void RightClick(double x, double y)
    {
        Send(CEditEvent::RightPress, Px(x, y), CEditEvent::Right);
        Send(CEditEvent::RightRelease, Px(x, y));
    }
    void Drag(double x0, double y0, double x1, double y1, int modifiers = 0)
    {
        Send(CEditEvent::Press, Px(x0, y0), CEditEvent::Left, modifiers);
        Send(CEditEvent::Move, Px((x0 + x1) / 2, (y0 + y1) / 2), CEditEvent::Left, modifiers);
        Send(CEditEvent::Move, Px(x1, y1), CEditEvent::Left, modifiers);
        Send(CEditEvent::Release, Px(x1, y1), 0, modifiers);
    }
    void Key(CEditEvent::KeyCode k)
    {
        CEditEvent e;
        e.type = CEditEvent::Key;
        e.key = k;
        tools.Handle(e);
    }
    std::string Saved() const
    {
        auto ar = CDefArchive::ToMemory();
        doc.Write(ar.get());
        return ar->MemoryData();
    }
    // The change since before is one undo step: undo gives back before's bytes, redo
    // what there is now.
    void ExpectOneUndoStep(const std::string& before)
    {
        const std::string after = Saved();
        ASSERT_TRUE(tools.Undo());
        EXPECT_EQ(Saved(), before);
        ASSERT_TRUE(tools.Redo());
        EXPECT_EQ(Saved(), after);
    }
    // Sheet millimetres of a pixel position, as the machine converts it (no snap).
    PelPoint Mm(QPoint px) const
    {
        PelPoint p;
        host.dc.t.ToDrawing(0, px, p.x, p.y);
        return p;
    }

    CRecordingMessageSink messages{MsgAnswer::Ok};
    CPelmoraDoc doc;
    FakeHost host;
    CToolMachine tools;
};
