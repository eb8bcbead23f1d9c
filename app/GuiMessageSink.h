#pragma once
#include "ardelib/Message.h"

class QWidget;

// Message boxes without a title over the main window.
class CGuiMessageSink : public IMessageSink {
public:
    MsgAnswer Show(const std::string& text, MsgButtons buttons) override;
    QWidget* parent = nullptr;
};
