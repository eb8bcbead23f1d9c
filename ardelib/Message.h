#pragma once
// The one way the program tells the user something: a modal message box in the
// window, standard error in a headless run, a record in tests.
#include <string>
#include <vector>

enum class MsgButtons { Ok, OkCancel, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

class IMessageSink {
public:
    virtual ~IMessageSink() = default;
    // text is UTF-8.
    virtual MsgAnswer Show(const std::string& text, MsgButtons buttons) = 0;
};

// Installs the sink for the whole process; nullptr restores the standard-error sink.
void SetMessageSink(IMessageSink* sink);
IMessageSink* GetMessageSink();
MsgAnswer ShowMessage(const std::string& text, MsgButtons buttons = MsgButtons::Ok);

// Keeps every message shown while it is installed; answers with a fixed answer.
class CRecordingMessageSink : public IMessageSink {
public:
    explicit CRecordingMessageSink(MsgAnswer answer = MsgAnswer::Ok);
    ~CRecordingMessageSink() override;
    MsgAnswer Show(const std::string& text, MsgButtons buttons) override;
    std::vector<std::string> messages;
private:
    MsgAnswer m_answer;
    IMessageSink* m_previous;
};
