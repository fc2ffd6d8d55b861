#pragma once
// Standard output and standard error of the console command: Unicode to a console, so that no name is
// mangled by a code page; UTF-8 without a byte-order mark to a file or a pipe.
#include "engine/Sinks.h"

#include <string>

namespace tavlo {

class ConsoleStream final : public LogSink {
public:
    // `handle` is a standard handle; one that is missing or closed swallows what is written.
    explicit ConsoleStream(void* handle);
    ~ConsoleStream() override;
    ConsoleStream(const ConsoleStream&) = delete;
    ConsoleStream& operator=(const ConsoleStream&) = delete;

    // One line ended by CR LF.
    void AddLine(const std::wstring& line) override;
    // What is held is written out; a console is written to at once, a file in large pieces.
    void Flush();

private:
    void* handle_;
    bool console_;
    std::wstring held_;
};

} // namespace tavlo
