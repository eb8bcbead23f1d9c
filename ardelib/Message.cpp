#include "ardelib/Message.h"

#include <cstdio>

namespace {
class StderrSink : public IMessageSink {
public:
    MsgAnswer Show(const std::string& text, MsgButtons) override
    {
        std::fprintf(stderr, "%s\n", text.c_str());
        return MsgAnswer::Ok;
    }
};
StderrSink g_stderrSink;
IMessageSink* g_sink = &g_stderrSink;
} // namespace

void SetMessageSink(IMessageSink* sink) { g_sink = sink ? sink : &g_stderrSink; }
IMessageSink* GetMessageSink() { return g_sink; }
MsgAnswer ShowMessage(const std::string& text, MsgButtons buttons) { return g_sink->Show(text, buttons); }

CRecordingMessageSink::CRecordingMessageSink(MsgAnswer answer)
    : m_answer(answer), m_previous(GetMessageSink())
{
    SetMessageSink(this);
}

CRecordingMessageSink::~CRecordingMessageSink() { SetMessageSink(m_previous); }

MsgAnswer CRecordingMessageSink::Show(const std::string& text, MsgButtons)
{
    messages.push_back(text);
    return m_answer;
}
