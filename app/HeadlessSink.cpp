#include "app/HeadlessSink.h"

#include <cstdio>
#include <mutex>

namespace {
std::mutex g_print;
thread_local std::string t_prefix;
thread_local int t_count = 0;
} // namespace

CHeadlessSink::CHeadlessSink() : m_prev(GetMessageSink()) { SetMessageSink(this); }

CHeadlessSink::~CHeadlessSink() { SetMessageSink(m_prev); }

MsgAnswer CHeadlessSink::Show(const std::string& text, MsgButtons buttons)
{
    ++m_count;
    ++t_count;
    Print(t_prefix + text);
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

void CHeadlessSink::SetThreadPrefix(const std::string& prefix) { t_prefix = prefix; }

int CHeadlessSink::ThreadCount() { return t_count; }

void CHeadlessSink::Print(const std::string& line)
{
    std::lock_guard<std::mutex> lock(g_print);
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}
