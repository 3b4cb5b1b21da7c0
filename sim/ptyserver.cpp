#include "sim/ptyserver.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/uniquefd.h"
#include "sim/bus.h"
#include "sim/framer.h"
#include "sim/linepacing.h"
#include "sim/pty.h"

namespace zan1sim {
namespace {

constexpr std::size_t kFrameLogLimit = 1000;
// How long an unread terminal may block an answer before the rest is dropped,
// as bytes on a real line are lost when nobody listens.
constexpr int kWriteStallMs = 1000;
constexpr int kErrorBackoffMs = 10;

}  // namespace

struct PtyServer::Impl {
    Impl(Pty p, UniqueFd w, const Options& options)
        : pty(std::move(p)),
          wake(std::move(w)),
          realtime(options.realtime),
          bus(options, SimClock::now()) {}

    void Run();
    void Serve(const ReceivedFrame& frame);
    void SendAtOnce(std::string_view answer);
    void SendPaced(std::string_view answer, SimTime received);
    // Waits for the master to take bytes; false on stop or timeout.
    bool WaitWritable(int timeoutMs);
    // Waits for the stop signal only; true when it came.
    bool WaitForStop(int timeoutMs);
    void Stop();

    Pty pty;
    UniqueFd wake;
    const bool realtime;

    mutable std::mutex mutex;
    Bus bus;                         // guarded by mutex
    std::deque<std::string> frames;  // guarded by mutex

    // Touched by the serving thread only.
    FrameAssembler framer;
    SimTime lineFree{};

    std::atomic<bool> stopping{false};
    std::thread thread;
};

void PtyServer::Impl::Run() {
    std::array<char, 256> buffer{};
    while (!stopping) {
        std::array<pollfd, 2> fds{{{pty.master.get(), POLLIN, 0}, {wake.get(), POLLIN, 0}}};
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        if (fds[1].revents != 0) {
            return;
        }
        if ((fds[0].revents & POLLIN) != 0) {
            const ssize_t n = read(pty.master.get(), buffer.data(), buffer.size());
            if (n > 0) {
                const SimTime arrival = SimClock::now();
                for (const ReceivedFrame& frame :
                     framer.feed(std::string_view(buffer.data(), n), arrival)) {
                    Serve(frame);
                }
                continue;
            }
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                continue;
            }
        }
        // Hang-up or error on the master; we hold the terminal side, so this
        // should pass. Do not spin meanwhile.
        if (WaitForStop(kErrorBackoffMs)) {
            return;
        }
    }
}

void PtyServer::Impl::Serve(const ReceivedFrame& frame) {
    std::string answer;
    {
        std::lock_guard lock(mutex);
        frames.push_back(frame.text);
        if (frames.size() > kFrameLogLimit) {
            frames.pop_front();
        }
        answer = bus.handle(frame.text, SimClock::now());
    }
    if (realtime) {
        // Bytes of back-to-back frames follow each other on the line.
        const SimTime received =
            CommandReceived(std::max(frame.firstByte, lineFree), frame.text.size());
        lineFree = received;
        SendPaced(answer, received);
    } else {
        SendAtOnce(answer);
    }
}

void PtyServer::Impl::SendAtOnce(std::string_view answer) {
    while (!answer.empty() && !stopping) {
        const ssize_t n = write(pty.master.get(), answer.data(), answer.size());
        if (n > 0) {
            answer.remove_prefix(static_cast<std::size_t>(n));
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (!(n < 0 && errno == EAGAIN) || !WaitWritable(kWriteStallMs)) {
            return;
        }
    }
}

void PtyServer::Impl::SendPaced(std::string_view answer, SimTime received) {
    for (std::size_t k = 0; k < answer.size() && !stopping; ++k) {
        SleepUntil(AnswerByteDue(received, k));
        // A byte the terminal cannot take now is lost, like one nobody listens to.
        while (write(pty.master.get(), &answer[k], 1) < 0 && errno == EINTR) {
        }
    }
}

bool PtyServer::Impl::WaitWritable(int timeoutMs) {
    std::array<pollfd, 2> fds{{{pty.master.get(), POLLOUT, 0}, {wake.get(), POLLIN, 0}}};
    while (true) {
        const int r = poll(fds.data(), fds.size(), timeoutMs);
        if (r < 0 && errno == EINTR) {
            continue;
        }
        return r > 0 && fds[1].revents == 0 && (fds[0].revents & POLLOUT) != 0;
    }
}

bool PtyServer::Impl::WaitForStop(int timeoutMs) {
    pollfd fd{wake.get(), POLLIN, 0};
    return poll(&fd, 1, timeoutMs) > 0 || stopping;
}

void PtyServer::Impl::Stop() {
    stopping = true;
    const std::uint64_t one = 1;
    while (write(wake.get(), &one, sizeof one) < 0 && errno == EINTR) {
    }
    if (thread.joinable()) {
        thread.join();
    }
}

std::unique_ptr<PtyServer> PtyServer::start(const Options& options, std::string* error) {
    if (std::string problem = CheckOptions(options); !problem.empty()) {
        if (error) {
            *error = std::move(problem);
        }
        return nullptr;
    }
    auto pty = OpenPty(error);
    if (!pty) {
        return nullptr;
    }
    UniqueFd wake(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
    if (!wake.valid()) {
        if (error) {
            *error = std::string("eventfd: ") + std::strerror(errno);
        }
        return nullptr;
    }
    auto impl = std::make_unique<Impl>(std::move(*pty), std::move(wake), options);
    impl->thread = std::thread([raw = impl.get()] { raw->Run(); });
    return std::make_unique<PtyServer>(Key{}, std::move(impl));
}

PtyServer::PtyServer(Key, std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}

PtyServer::~PtyServer() {
    m_impl->Stop();
}

const std::string& PtyServer::devicePath() const {
    return m_impl->pty.path;
}

void PtyServer::setFault(int address, Fault fault) {
    std::lock_guard lock(m_impl->mutex);
    m_impl->bus.setFault(address, fault);
}

std::optional<double> PtyServer::parameter(int address, std::string_view name) const {
    std::lock_guard lock(m_impl->mutex);
    return m_impl->bus.parameter(address, name, SimClock::now());
}

std::vector<std::string> PtyServer::frames() const {
    std::lock_guard lock(m_impl->mutex);
    return {m_impl->frames.begin(), m_impl->frames.end()};
}

}  // namespace zan1sim
