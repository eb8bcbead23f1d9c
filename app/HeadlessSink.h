#pragma once
// Messages of a headless command: each goes to standard error, and any message makes
// the command fail. Safe to show from several threads; a thread may name what it is
// working on (a batch row), which then leads its messages.
#include "ardelib/Message.h"

#include <atomic>
#include <string>

class CHeadlessSink : public IMessageSink {
public:
    CHeadlessSink();
    ~CHeadlessSink() override;
    CHeadlessSink(const CHeadlessSink&) = delete;
    CHeadlessSink& operator=(const CHeadlessSink&) = delete;

    MsgAnswer Show(const std::string& text, MsgButtons buttons) override;
    int Count() const { return m_count.load(); }
    // Messages shown on the calling thread from now on start with prefix.
    static void SetThreadPrefix(const std::string& prefix);
    // How many messages the calling thread has shown while this sink was installed.
    static int ThreadCount();
    // Prints one line to standard error, whole, even when threads print at once.
    static void Print(const std::string& line);

private:
    IMessageSink* m_prev;
    std::atomic<int> m_count{0};
};
