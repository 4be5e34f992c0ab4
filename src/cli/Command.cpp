#include "cli/Command.h"

#include "core/Failure.h"
#include "core/Pieces.h"
#include "core/export/ExportSink.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <deque>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace talmir::cli {

namespace {

std::map<std::string, CommandInfo>& registry() {
    static std::map<std::string, CommandInfo> commands;
    return commands;
}

// Writes `size` bytes at `offset`; false on an error.
bool writeAt(int fd, const char* data, std::size_t size, std::uint64_t offset) {
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size, static_cast<off_t>(offset));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
        offset += static_cast<std::uint64_t>(n);
    }
    return true;
}

// Writes the pieces of an export into a file from a second thread, so that copying
// one piece into the file overlaps making the next. At most kPiecesWaiting pieces
// wait; put() waits when there are more. The buffers of written pieces go back to
// the export, so a long file reuses a handful of them.
class FileSink final : public exporters::ExportSink {
public:
    FileSink(int fd, std::string failureText)
        : m_fd(fd), m_failureText(std::move(failureText)), m_thread([this] { writeLoop(); }) {}

    ~FileSink() override { close(); }

    FileSink(const FileSink&) = delete;
    FileSink& operator=(const FileSink&) = delete;

    void put(std::uint64_t offset, std::string& piece) override {
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_waiting.size() < kPiecesWaiting || m_failed; });
        if (m_failed) {
            throw Failure::message(m_failureText);
        }
        const std::size_t capacity = piece.capacity();
        m_waiting.emplace_back(offset, std::move(piece));
        piece = std::string();
        if (!m_spare.empty()) {
            piece.swap(m_spare.back());
            m_spare.pop_back();
        } else {
            piece.reserve(capacity);
        }
        lock.unlock();
        m_changed.notify_all();
    }

    // Waits until every piece is written; false when a write failed.
    bool close() {
        {
            std::lock_guard lock(m_mutex);
            m_closing = true;
        }
        m_changed.notify_all();
        if (m_thread.joinable()) {
            m_thread.join();
        }
        return !m_failed;
    }

private:
    static constexpr std::size_t kPiecesWaiting = 4;

    void writeLoop() {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [this] { return !m_waiting.empty() || m_closing; });
            if (m_waiting.empty()) {
                return;
            }
            auto [offset, piece] = std::move(m_waiting.front());
            m_waiting.pop_front();
            const bool failed = m_failed;
            lock.unlock();
            const bool written = failed || writeAt(m_fd, piece.data(), piece.size(), offset);
            piece.clear();
            lock.lock();
            m_failed = m_failed || !written;
            m_spare.push_back(std::move(piece));
            m_changed.notify_all();
        }
    }

    int m_fd;
    std::string m_failureText;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::pair<std::uint64_t, std::string>> m_waiting;
    std::vector<std::string> m_spare;
    bool m_closing = false;
    bool m_failed = false;
    std::thread m_thread;  // last: starts when the members it uses are ready
};

// Gathers the output in memory: for the tests, and for standard output and the -o
// file of a command that makes its output whole. Each piece goes to its offset
// (IGES fills two sections side by side); a whole output is taken over without a
// copy.
class MemorySink final : public exporters::ExportSink {
public:
    void put(std::uint64_t offset, std::string& piece) override {
        if (m_bytes.empty() && offset == 0) {
            m_bytes.swap(piece);
        } else if (offset == m_bytes.size()) {
            m_bytes += piece;
        } else {
            if (m_bytes.size() < offset + piece.size()) {
                m_bytes.resize(offset + piece.size(), '\0');
            }
            std::memcpy(m_bytes.data() + offset, piece.data(), piece.size());
        }
        piece.clear();
    }

    std::string take() && { return std::move(m_bytes); }

private:
    std::string m_bytes;
};

// Writes the pieces of a conversion to a stream (standard output) as they come, so
// that the output is never whole in memory. A stream has no offsets: a piece that
// comes before the bytes in front of it (IGES fills two sections side by side)
// waits in memory until they are written.
class StreamSink final : public exporters::ExportSink {
public:
    explicit StreamSink(
        int fd, std::string cannotWrite = "talmir-convert: cannot write the standard output")
        : m_fd(fd), m_cannotWrite(std::move(cannotWrite)) {}

    void put(std::uint64_t offset, std::string& piece) override {
        if (offset != m_written) {
            if (offset < m_written) {
                fail();  // a stream cannot go back
            }
            m_waiting.emplace(offset, std::move(piece));
            piece = std::string();
            return;
        }
        write(piece);
        piece.clear();
        for (auto next = m_waiting.begin(); next != m_waiting.end() && next->first == m_written;
             next = m_waiting.erase(next)) {
            write(next->second);
        }
    }

    // Writes what still waits, with zeros in any gap before it as a file would
    // hold them.
    void finish() {
        for (auto& [offset, piece] : m_waiting) {
            if (offset < m_written) {
                fail();
            }
            write(std::string(offset - m_written, '\0'));
            write(piece);
        }
        m_waiting.clear();
    }

private:
    [[noreturn]] void fail() const { throw Failure::message(m_cannotWrite); }

    void write(const std::string& bytes) {
        const char* data = bytes.data();
        std::size_t size = bytes.size();
        while (size > 0) {
            const ssize_t n = ::write(m_fd, data, size);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                fail();
            }
            data += n;
            size -= static_cast<std::size_t>(n);
        }
        m_written += bytes.size();
    }

    int m_fd;
    std::string m_cannotWrite;
    std::uint64_t m_written = 0;
    std::map<std::uint64_t, std::string> m_waiting;
};

// The input mapping while a conversion reads it, for the handler of SIGBUS. A
// mapped file that another program cuts short raises SIGBUS where the conversion
// reads the pages past its new end; the handler puts zero pages in place of the
// rest of the mapping, so reading goes on, and notes that the input changed.
std::atomic<char*> g_mappedBase{nullptr};
std::atomic<std::size_t> g_mappedSize{0};
std::size_t g_pageSize = 4096;
volatile std::sig_atomic_t g_mappedInputCut = 0;
struct sigaction g_previousBusAction {};

void onBusError(int signal, siginfo_t* info, void* /*context*/) {
    char* const base = g_mappedBase.load();
    const std::size_t size = g_mappedSize.load();
    const auto* address = static_cast<const char*>(info->si_addr);
    if (info->si_code > 0 && base != nullptr && address >= base && address < base + size) {
        char* const from =
            base + static_cast<std::size_t>(address - base) / g_pageSize * g_pageSize;
        const std::size_t length = static_cast<std::size_t>(base + size - from);
        if (::mmap(from, length, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0) !=
            MAP_FAILED) {
            g_mappedInputCut = 1;
            return;
        }
    }
    // Not the input: what SIGBUS did before (a fault comes back and ends the program).
    ::sigaction(SIGBUS, &g_previousBusAction, nullptr);
    if (info->si_code <= 0) {
        ::raise(signal);
    }
}

void watchBusErrors() {
    static const bool installed = [] {
        g_pageSize = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
        struct sigaction action {};
        action.sa_sigaction = onBusError;
        action.sa_flags = SA_SIGINFO;
        sigemptyset(&action.sa_mask);
        return ::sigaction(SIGBUS, &action, &g_previousBusAction) == 0;
    }();
    (void)installed;
}

// A regular input file mapped read-only. The pages behind what the conversion has
// read are let go every kReleaseStep bytes: they stay in the page cache but leave
// the resident set, so a file of a gigabyte holds a few megabytes of memory. A
// file of up to kKeptWhole bytes stays mapped whole: letting go of its pages
// costs more than they weigh, most of all for a conversion that reads twice and
// would fault them all in again.
class MappedInput final : public InputBytes {
public:
    static constexpr std::size_t kReleaseStep = std::size_t{4} << 20;
    static constexpr std::size_t kKeptWhole = std::size_t{32} << 20;

    // The mapping of the file at `path`; none when it is not a regular file, is
    // empty or cannot be mapped (it is then read whole).
    static std::unique_ptr<MappedInput> open(const std::string& path) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            return nullptr;
        }
        struct stat info {};
        void* base = MAP_FAILED;
        std::size_t size = 0;
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
            size = static_cast<std::size_t>(info.st_size);
            base = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        }
        if (base == MAP_FAILED) {
            ::close(fd);
            return nullptr;
        }
        ::madvise(base, size, MADV_SEQUENTIAL);
        return std::unique_ptr<MappedInput>(new MappedInput(fd, static_cast<char*>(base), size));
    }

    ~MappedInput() override {
        g_mappedBase = nullptr;
        g_mappedSize = 0;
        ::munmap(m_base, m_size);
        ::close(m_fd);
    }

    MappedInput(const MappedInput&) = delete;
    MappedInput& operator=(const MappedInput&) = delete;

    // True when the file got shorter than it was mapped while it was read: what
    // the conversion read past its new end were zeros.
    bool changed() const {
        struct stat info {};
        return g_mappedInputCut != 0 ||
               (::fstat(m_fd, &info) == 0 && static_cast<std::uint64_t>(info.st_size) < m_size);
    }

private:
    MappedInput(int fd, char* base, std::size_t size)
        : InputBytes(std::string_view(base, size)),
          m_fd(fd),
          m_base(base),
          m_size(size),
          m_page(static_cast<std::size_t>(::sysconf(_SC_PAGESIZE))) {
        if (size > kKeptWhole) {
            releaseEvery(kReleaseStep);
        }
        watchBusErrors();
        g_mappedInputCut = 0;
        g_mappedSize = size;
        g_mappedBase = base;
    }

    // Also where a conversion learns that its input was cut short: it stops there.
    void release(std::size_t offset) override {
        if (g_mappedInputCut != 0) {
            throw inputChangedFailure();
        }
        const std::size_t to = std::min(offset, m_size) / m_page * m_page;
        const std::size_t from = m_released <= to ? m_released : 0;  // a new pass
        if (from < to) {
            ::madvise(m_base + from, to - from, MADV_DONTNEED);
        }
        m_released = to;
    }

    int m_fd;
    char* m_base;
    std::size_t m_size;
    std::size_t m_page;
    std::size_t m_released = 0;
};

// Follows the message of a failed conversion with the place in its one input
// where it stopped.
void sayWhere(Outcome& outcome, const CommandInfo& info, std::string_view input) {
    if (outcome.exitCode == kExitFailed && outcome.failedAt &&
        *outcome.failedAt != Failure::kWholeInput) {
        outcome.errors +=
            usageMessage(info.name, "failed at " + placeText(input, *outcome.failedAt));
    }
}

// Runs a command into memory; its output is the sink's bytes when it succeeds.
Outcome runInMemory(const CommandInfo& info, const Arguments& parsed, const Inputs& inputs) {
    MemorySink sink;
    Outcome outcome = info.run(parsed, inputs, sink);
    if (outcome.exitCode == kExitOk) {
        outcome.output = std::move(sink).take();
    }
    if (inputs.size() == 1) {
        sayWhere(outcome, info, inputs[0]);
    }
    return outcome;
}

// Runs a command that writes into a sink, into a file beside `path` that is renamed
// over it when the conversion and every write succeeded (as writeFileAtomically).
// True when `path` names something that is not a regular file (/dev/null, a
// named pipe, a terminal): it is written to as it is, never renamed over.
bool isSpecialFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode);
}

// Writes the output of `run` straight into a special file, in order.
Outcome runIntoSpecialFile(const std::function<Outcome(exporters::ExportSink&)>& run,
                           const std::string& path, const std::string& cannotWrite) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return Outcome::failed(cannotWrite + "\n");
    }
    Outcome outcome;
    try {
        StreamSink sink(fd, cannotWrite);
        outcome = run(sink);
        if (outcome.exitCode == kExitOk) {
            sink.finish();
        }
    } catch (const Failure& failure) {
        outcome = Outcome::failed(failureMessage(failure));
    }
    if (::close(fd) != 0 && outcome.exitCode == kExitOk) {
        return Outcome::failed(cannotWrite + "\n");
    }
    return outcome;
}

Outcome runIntoFile(const std::function<Outcome(exporters::ExportSink&)>& run,
                    const std::string& path) {
    const std::string temp = path + ".talmir-tmp";
    const std::string cannotWrite = "talmir-convert: cannot write " + path;
    if (isSpecialFile(path)) {
        return runIntoSpecialFile(run, path, cannotWrite);
    }
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) {
        return Outcome::failed(cannotWrite + "\n");
    }
    Outcome outcome;
    bool written = false;
    {
        FileSink sink(fd, cannotWrite);
        outcome = run(sink);
        written = sink.close();
    }
    written = ::close(fd) == 0 && written;
    if (outcome.exitCode != kExitOk) {
        std::remove(temp.c_str());
        return outcome;
    }
    if (!written || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return Outcome::failed(cannotWrite + "\n");
    }
    return outcome;
}

// Writes beside the target and renames over it, so a failed write never leaves a
// half-written file where the old one was.
bool writeFileAtomically(const std::string& path, const std::string& bytes) {
    if (isSpecialFile(path)) {
        std::ofstream out(path, std::ios::binary);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        return static_cast<bool>(out);
    }
    const std::string temp = path + ".talmir-tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (!out) {
            return false;
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            std::remove(temp.c_str());
            return false;
        }
    }
    if (std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

bool isValueOption(const CommandInfo& info, std::string_view name) {
    for (const auto& v : info.valueOptions) {
        if (v == name) {
            return true;
        }
    }
    return false;
}

// Splits the arguments after the command name. "-o FILE" is taken out into `output`.
bool parseArguments(const CommandInfo& info, const std::vector<std::string>& args,
                    Arguments& parsed, std::optional<std::string>& output, std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "-o") {
            if (i + 1 >= args.size()) {
                error = "-o needs a file name";
                return false;
            }
            output = args[++i];
        } else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            std::string name = a.substr(2);
            std::string value;
            const auto eq = name.find('=');
            if (eq != std::string::npos) {
                value = name.substr(eq + 1);
                name.resize(eq);
            } else if (isValueOption(info, name)) {
                if (i + 1 >= args.size()) {
                    error = "--" + name + " needs a value";
                    return false;
                }
                value = args[++i];
            }
            parsed.options.emplace_back(std::move(name), std::move(value));
        } else {
            parsed.positional.push_back(a);
        }
    }
    return true;
}

}  // namespace

// The whole file in one read (a stream would copy it through its own buffer).
bool readFile(const std::string& path, std::string& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (ok) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (ok && done < bytes.size()) {
            const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
            } else if (n == 0) {
                bytes.resize(done);  // the file got shorter meanwhile
                break;
            } else {
                ok = errno == EINTR;
            }
        }
    }
    ::close(fd);
    if (ok || S_ISREG(info.st_mode) || S_ISDIR(info.st_mode)) {
        return ok;
    }
    // Not a regular file (a pipe, /dev/stdin): read it as a stream.
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

std::optional<std::string> readOptionFile(const std::string& path) {
    std::string bytes;
    if (!readFile(path, bytes)) {
        return std::nullopt;
    }
    return bytes;
}

std::string placeText(std::string_view input, std::uint64_t at) {
    std::size_t start = std::min<std::size_t>(at, input.size());
    // The record begins at its first byte that is no blank or line end.
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (start < input.size() && blank(input[start])) {
        ++start;
    }
    if (start == input.size()) {
        // Nothing but blanks after it (a file that stops short): its last line
        // that holds something.
        start = std::min<std::size_t>(at, input.size());
        while (start > 0 && blank(input[start - 1])) {
            --start;
        }
        start = start > 0 ? start - 1 : 0;
    }
    // Lines end as the program reads them: CR LF, a lone CR, a lone LF.
    std::size_t line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < start; ++i) {
        if (input[i] == '\n' ||
            (input[i] == '\r' && (i + 1 >= input.size() || input[i + 1] != '\n'))) {
            ++line;
            lineStart = i + 1;
        }
    }
    std::size_t lineEnd = lineStart;
    while (lineEnd < input.size() && input[lineEnd] != '\n' && input[lineEnd] != '\r') {
        ++lineEnd;
    }
    std::string text = "line " + std::to_string(line);
    constexpr std::size_t kReadableLine = 256;
    constexpr std::size_t kIgesSection = 72;  // column 73
    const std::string_view whole = input.substr(lineStart, lineEnd - lineStart);
    if (whole.size() > kReadableLine) {
        text += ", byte " + std::to_string(start + 1);
    } else if (whole.size() == 80 &&
               std::string_view("SGDPT").find(whole[kIgesSection]) != std::string_view::npos) {
        text += ", IGES record " + std::string(whole.substr(kIgesSection));
    }
    return text;
}

std::string failureMessage(const Failure& failure) {
    if (failure.number <= 0) {
        return failure.description + "\n";
    }
    return "エラー番号 : " + std::to_string(failure.number) + "\n" + failure.description + "\n";
}

namespace {

Outcome failedOutcome(const Failure& failure) {
    Outcome outcome = Outcome::failed(failureMessage(failure));
    outcome.failedAt = failure.at;
    return outcome;
}

}  // namespace

Outcome outcomeOf(const Result<std::uint64_t>& result) {
    if (!result) {
        return failedOutcome(result.failure());
    }
    return Outcome{};
}

std::string usageMessage(std::string_view command, std::string_view message) {
    return "talmir-convert " + std::string(command) + ": " + std::string(message) + "\n";
}

void putWhole(exporters::ExportSink& sink, std::string bytes) {
    sink.put(0, bytes);
}

Outcome outcomeOf(Result<std::string> result, exporters::ExportSink& sink) {
    if (!result) {
        return failedOutcome(result.failure());
    }
    putWhole(sink, std::move(result).value());
    return Outcome{};
}

bool Arguments::has(std::string_view name) const {
    for (const auto& [k, v] : options) {
        if (k == name) {
            return true;
        }
    }
    return false;
}

std::optional<std::string> Arguments::get(std::string_view name) const {
    std::optional<std::string> found;
    for (const auto& [k, v] : options) {
        if (k == name) {
            found = v;  // the last one wins
        }
    }
    return found;
}

CommandRegistration::CommandRegistration(CommandInfo info) {
    std::string name = info.name;
    registry().emplace(std::move(name), std::move(info));
}

const std::map<std::string, CommandInfo>& commands() {
    return registry();
}

std::string helpText() {
    std::string text =
        "usage: talmir-convert COMMAND [--option VALUE]... INPUT [-o OUTPUT]\n"
        "Converts NC programs and drawings as the Talmir windows do. Input and output are\n"
        "raw bytes (Shift-JIS passes through untouched). Without -o the result goes to\n"
        "standard output. Exit status: 0 done, 1 the conversion reported an error (its\n"
        "message on standard error, followed by the input line where it stopped, when\n"
        "the error has one), 2 wrong usage.\n\ncommands:\n";
    for (const auto& [name, info] : registry()) {
        text += "  " + name + " " + info.synopsis + "\n      " + info.summary + "\n";
    }
    return text;
}

namespace {

// Text for a roff page: backslashes doubled, a leading dot or quote escaped,
// hyphens of options kept as minus signs.
std::string roff(std::string_view text) {
    std::string out;
    bool lineStart = true;
    for (const char c : text) {
        if (c == '\\') {
            out += "\\e";
        } else if (c == '-') {
            out += "\\-";
        } else if (lineStart && (c == '.' || c == '\'')) {
            out += "\\&";
            out += c;
        } else {
            out += c;
        }
        lineStart = c == '\n';
    }
    return out;
}

}  // namespace

std::string manPage() {
    std::string page =
        ".TH TALMIR\\-CONVERT 1 \"\" \"Talmir\" \"User Commands\"\n"
        ".SH NAME\ntalmir\\-convert \\- convert NC programs and drawings from the shell\n"
        ".SH SYNOPSIS\n.B talmir\\-convert\n.I COMMAND\n[\\fB\\-\\-option\\fR \\fIVALUE\\fR]...\n"
        ".I INPUT\n[\\fB\\-o\\fR \\fIOUTPUT\\fR]\n"
        ".SH DESCRIPTION\nConverts NC programs and drawings as the windows of\n.BR talmir (1)\n"
        "do. Input and output are raw bytes (Shift\\-JIS passes through untouched).\n"
        "Without \\fB\\-o\\fR the result goes to standard output.\n"
        ".SH COMMANDS\n";
    for (const auto& [name, info] : registry()) {
        page += ".TP\n\\fB" + roff(name) + "\\fR " + roff(info.synopsis) + "\n" +
                roff(info.summary) + "\n";
    }
    page +=
        ".SH EXIT STATUS\n0 done; 1 the conversion reported an error, its message on standard "
        "error, followed by the input line where it stopped (\\(lqfailed at line 12\\(rq, with the "
        "byte on a long line and the record on an IGES line) when the error has one; 2 wrong "
        "usage.\n.SH SEE ALSO\n.BR talmir (1)\n";
    return page;
}

std::string commandHelp(const CommandInfo& info) {
    return "usage: talmir-convert " + info.name + " " + info.synopsis + "\n" + info.summary + "\n";
}

Outcome runCommand(const CommandInfo& info, const std::vector<std::string>& optionArgs,
                   const std::vector<std::string>& inputs) {
    Arguments parsed;
    std::optional<std::string> output;
    std::string error;
    if (!parseArguments(info, optionArgs, parsed, output, error)) {
        return Outcome::usage(usageMessage(info.name, error));
    }
    parsed.outputPath = output;
    return runInMemory(info, parsed, inputs);
}

Outcome runCommand(const std::string& name, const std::vector<std::string>& optionArgs,
                   const std::vector<std::string>& inputs) {
    auto it = registry().find(name);
    if (it == registry().end()) {
        return Outcome::usage("talmir-convert: unknown command '" + name + "'\n");
    }
    return runCommand(it->second, optionArgs, inputs);
}

namespace {

// A streaming conversion on its input file, mapped when it can be, into the -o file
// as it goes, or with `outputFd` to that stream as it goes, or else into memory.
// A mapped file cut short meanwhile fails the conversion, whatever it made of the
// zeros it read instead.
Outcome runStreamingFile(const CommandInfo& info, const Arguments& parsed,
                         const std::optional<std::string>& output, int outputFd) {
    const std::string& path = parsed.positional[0];
    std::unique_ptr<MappedInput> mapped = MappedInput::open(path);
    std::unique_ptr<InputBytes> whole;
    std::string bytes;
    if (!mapped) {
        if (!readFile(path, bytes)) {
            return Outcome::failed("talmir-convert: cannot read " + path + "\n");
        }
        whole = std::make_unique<InputBytes>(bytes);
    }
    InputBytes& input = mapped ? *mapped : *whole;
    const auto run = [&](exporters::ExportSink& sink) {
        Outcome outcome;
        try {
            outcome = info.runStreaming(parsed, input, sink);
        } catch (const Failure& failure) {
            outcome = failedOutcome(failure);
        }
        if (mapped && mapped->changed()) {
            return Outcome::failed("talmir-convert: " + path + " changed while it was read\n");
        }
        sayWhere(outcome, info, input.bytes());
        return outcome;
    };
    if (output) {
        return runIntoFile(run, *output);
    }
    if (outputFd >= 0) {
        StreamSink sink(outputFd);
        Outcome outcome = run(sink);
        if (outcome.exitCode == kExitOk) {
            try {
                sink.finish();
            } catch (const Failure& failure) {
                return Outcome::failed(failureMessage(failure));
            }
        }
        return outcome;
    }
    MemorySink sink;
    Outcome outcome = run(sink);
    if (outcome.exitCode == kExitOk) {
        outcome.output = std::move(sink).take();
    }
    return outcome;
}

}  // namespace

Outcome runOnBytes(const StreamingRun& run, const Arguments& args, const Inputs& inputs,
                   exporters::ExportSink& sink) {
    InputBytes input(inputs.at(0));
    return run(args, input, sink);
}

Outcome runCommandLine(const std::vector<std::string>& args, int outputFd) {
    if (!args.empty() && args[0] == "--man") {
        Outcome page;
        page.output = manPage();
        return page;
    }
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        Outcome help;
        help.exitCode = args.empty() ? kExitUsage : kExitOk;
        (args.empty() ? help.errors : help.output) = helpText();
        return help;
    }
    auto it = registry().find(args[0]);
    if (it == registry().end()) {
        return Outcome::usage("talmir-convert: unknown command '" + args[0] +
                              "' (talmir-convert --help lists them)\n");
    }
    const CommandInfo& info = it->second;
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    for (const auto& a : rest) {
        if (a == "--help") {
            Outcome help;
            help.output = commandHelp(info);
            return help;
        }
    }
    Arguments parsed;
    std::optional<std::string> output;
    std::string error;
    if (!parseArguments(info, rest, parsed, output, error)) {
        return Outcome::usage(usageMessage(info.name, error));
    }
    parsed.outputPath = output;
    if (static_cast<int>(parsed.positional.size()) != info.inputCount) {
        return Outcome::usage("usage: talmir-convert " + info.name + " " + info.synopsis + "\n");
    }
    if (info.runStreaming) {
        return runStreamingFile(info, parsed, output, outputFd);
    }
    std::vector<std::string> inputs(parsed.positional.size());
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        if (!readFile(parsed.positional[i], inputs[i])) {
            return Outcome::failed("talmir-convert: cannot read " + parsed.positional[i] + "\n");
        }
    }
    if (output && info.writesPieces) {
        return runIntoFile(
            [&](exporters::ExportSink& sink) {
                Outcome outcome = info.run(parsed, inputs, sink);
                if (inputs.size() == 1) {
                    sayWhere(outcome, info, inputs[0]);
                }
                return outcome;
            },
            *output);
    }
    Outcome outcome = runInMemory(info, parsed, inputs);
    if (outcome.exitCode == kExitOk && output) {
        if (!writeFileAtomically(*output, outcome.output)) {
            return Outcome::failed("talmir-convert: cannot write " + *output + "\n");
        }
        outcome.output.clear();
    }
    return outcome;
}

}  // namespace talmir::cli
