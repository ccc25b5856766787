// The helper reads one request at a time from its socket (format, largest side, prepared
// bytes), decodes it apart in a fresh child exactly as the program would, and answers. The
// program gives each image the helper's deadline and a little more; a helper that misses it,
// dies or answers nonsense is ended, and the image is decoded as if there were no helper.
#include "image/decoding_process.h"

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <mutex>
#include <string>

#include "image/decode_apart.h"
#include "image/header.h"
#include "process/child_process.h"

namespace {

using Bytes = std::vector<unsigned char>;

enum class RequestKind : std::int32_t { Decode, DecodeAhead };

// Followed by `size` bytes: the prepared image, or for DecodeAhead the file's name.
struct Request {
    RequestKind kind = RequestKind::Decode;
    std::int32_t format = 0;
    std::int32_t largestSide = 0;
    std::uint64_t size = 0;
};

// An image decoded ahead, kept until the program asks for the same prepared bytes.
struct DecodedAhead {
    int format = 0;
    int largestSide = 0;
    Bytes bytes;
    bool decoded = false;
    DecodedPixels pixels;
};

// What the helper keeps of images decoded ahead: a scene's textures, not a whole folder.
constexpr std::size_t kAheadBytes = std::size_t(64) << 20;
// The longest file name the helper reads ahead.
constexpr std::uint64_t kLongestAheadName = 4096;

// Time for the helper to take the bytes and hand the picture on, beyond its child's deadline.
constexpr std::chrono::seconds kRelayTime{2};

std::mutex helperLock;
pid_t helper = -1;
int helperSocket = -1;
// A child forked from the program inherits the socket, but the helper answers only its owner.
pid_t helperOwner = -1;
// Images sent to decode ahead since the last answer: the helper decodes each, each with its
// deadline, before it answers the next image asked for.
int queuedAhead = 0;

// Blocks until all `size` bytes came; false at end of file.
bool readWaiting(int descriptor, void* data, std::size_t size) {
    auto* bytes = static_cast<unsigned char*>(data);
    while (size > 0) {
        const ssize_t got = read(descriptor, bytes, size);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        bytes += got;
        size -= std::size_t(got);
    }
    return true;
}

// Sends without blocking past the deadline, and without a SIGPIPE when the helper has gone.
bool sendAll(int descriptor, const void* data, std::size_t size, PipeDeadline deadline) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd waiting{descriptor, POLLOUT, 0};
        if (left.count() <= 0 || poll(&waiting, 1, int(left.count())) <= 0) return false;
        const ssize_t sent = send(descriptor, bytes, size, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (sent <= 0) return false;
        bytes += sent;
        size -= std::size_t(sent);
    }
    return true;
}

// Decodes in a fresh child, exactly as the program would without a helper.
bool decodeInChild(int descriptor, const DecoderCalls& calls, int format, const Bytes& bytes,
                   int largestSide, DecodedPixels& pixels) {
    const auto decode = [&](DecodedPixels& made) {
        // The child holds none of the helper's socket.
        close(descriptor);
        return calls.decode(format, bytes, made);
    };
    return decodeApart(decode, largestSide, pixels);
}

class Helper {
public:
    Helper(int descriptor, const DecoderCalls& calls) : descriptor(descriptor), calls(calls) {}

    // The helper's life: it ends when the program closes its end or dies.
    [[noreturn]] void serve() {
        if (calls.start != nullptr) calls.start();
        for (;;) {
            Request request;
            if (!readWaiting(descriptor, &request, sizeof request) ||
                request.size > kLargestImageBytes)
                _exit(0);
            bytes.resize(std::size_t(request.size));
            if (!readWaiting(descriptor, bytes.data(), bytes.size())) _exit(0);
            if (request.kind == RequestKind::DecodeAhead) decodeAhead(request);
            else if (!answer(request)) _exit(0);
        }
    }

private:
    void decodeAhead(const Request& request) {
        if (request.size > kLongestAheadName) return;
        const std::string name(bytes.begin(), bytes.end());
        DecodedAhead ahead;
        ahead.largestSide = request.largestSide;
        if (calls.prepare == nullptr ||
            !calls.prepare(name.c_str(), ahead.largestSide, ahead.format, ahead.bytes) ||
            keptBytes + ahead.bytes.size() > kAheadBytes)
            return;
        ahead.decoded = decodeInChild(descriptor, calls, ahead.format, ahead.bytes,
                                      ahead.largestSide, ahead.pixels);
        keptBytes += ahead.bytes.size() + ahead.pixels.bytes.size();
        if (keptBytes <= kAheadBytes) kept.push_back(std::move(ahead));
        else keptBytes -= ahead.bytes.size() + ahead.pixels.bytes.size();
    }

    // The image decoded ahead from the same bytes, when its outcome holds at this largest
    // side: a picture is gated again by the program, a refusal only stands for sides no larger.
    bool takeAhead(const Request& request, bool& decoded, DecodedPixels& pixels) {
        for (auto ahead = kept.begin(); ahead != kept.end(); ++ahead) {
            if (ahead->format != request.format || ahead->bytes != bytes) continue;
            if (!ahead->decoded && request.largestSide > ahead->largestSide) continue;
            ImageHeader shape;
            shape.width = ahead->pixels.width;
            shape.height = ahead->pixels.height;
            // Refused as the decoding at this side would have refused it.
            decoded = ahead->decoded && passesSizeGate(shape, request.largestSide);
            pixels = std::move(ahead->pixels);
            keptBytes -= ahead->bytes.size() + pixels.bytes.size();
            kept.erase(ahead);
            if (!decoded) pixels = DecodedPixels{};
            return true;
        }
        return false;
    }

    bool answer(const Request& request) {
        DecodedPixels pixels;
        bool decoded = false;
        if (!takeAhead(request, decoded, pixels))
            decoded = decodeInChild(descriptor, calls, request.format, bytes, request.largestSide,
                                    pixels);
        const std::uint8_t answer = decoded ? 1 : 0;
        return writeAll(descriptor, &answer, 1) && (!decoded || writePicture(descriptor, pixels));
    }

    int descriptor;
    DecoderCalls calls;
    Bytes bytes;
    std::vector<DecodedAhead> kept;
    std::size_t keptBytes = 0;
};

void endHelper() {
    if (helper <= 0 || getpid() != helperOwner) return;
    close(helperSocket);
    kill(helper, SIGKILL);
    while (waitpid(helper, nullptr, 0) < 0 && errno == EINTR) {
    }
    helper = -1;
    helperSocket = -1;
    queuedAhead = 0;
}

}  // namespace

bool startDecodingProcess(const DecoderCalls& calls) {
    bindEveryChildToThisProcess();
    const std::lock_guard<std::mutex> hold(helperLock);
    if (helper > 0 && getpid() == helperOwner) return true;
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0) return false;
    // The helper waits for requests for as long as the program runs: no processor limit.
    const pid_t parent = getpid();
    const pid_t child = forkBoundChild(0);
    close(ends[child == 0 ? 0 : 1]);
    if (child < 0) {
        close(ends[0]);
        return false;
    }
    if (child == 0) Helper(ends[1], calls).serve();
    helper = child;
    helperSocket = ends[0];
    helperOwner = parent;
    return true;
}

void stopDecodingProcess() {
    const std::lock_guard<std::mutex> hold(helperLock);
    endHelper();
}

pid_t decodingProcessId() {
    const std::lock_guard<std::mutex> hold(helperLock);
    return getpid() == helperOwner ? helper : -1;
}

bool readDecodingAnswer(int descriptor, int largestSide, DecodedPixels& pixels, bool& decoded,
                        PipeDeadline deadline) {
    std::uint8_t answer = 2;
    if (!readAll(descriptor, &answer, 1, deadline) || answer > 1) return false;
    decoded = answer == 1;
    return !decoded || readPicture(descriptor, largestSide, pixels, deadline);
}

ProcessDecoding decodeInDecodingProcess(int format, const Bytes& bytes, int largestSide,
                                        DecodedPixels& pixels) {
    const std::lock_guard<std::mutex> hold(helperLock);
    if (helper <= 0 || getpid() != helperOwner) return ProcessDecoding::NotTaken;
    const auto deadline =
        std::chrono::steady_clock::now() + (queuedAhead + 1) * kDecodeDeadline + kRelayTime;
    const Request request{RequestKind::Decode, format, largestSide, bytes.size()};
    bool decoded = false;
    if (sendAll(helperSocket, &request, sizeof request, deadline) &&
        sendAll(helperSocket, bytes.data(), bytes.size(), deadline) &&
        readDecodingAnswer(helperSocket, largestSide, pixels, decoded, deadline)) {
        queuedAhead = 0;
        return decoded ? ProcessDecoding::Decoded : ProcessDecoding::Refused;
    }
    endHelper();
    pixels = DecodedPixels{};
    return ProcessDecoding::NotTaken;
}

void decodeAheadInDecodingProcess(const char* fileName, int largestSide) {
    const std::lock_guard<std::mutex> hold(helperLock);
    if (helper <= 0 || getpid() != helperOwner || fileName == nullptr) return;
    const std::string name(fileName);
    if (name.size() > kLongestAheadName) return;
    const auto deadline = std::chrono::steady_clock::now() + kRelayTime;
    const Request request{RequestKind::DecodeAhead, 0, largestSide, name.size()};
    if (sendAll(helperSocket, &request, sizeof request, deadline) &&
        sendAll(helperSocket, name.data(), name.size(), deadline)) {
        ++queuedAhead;
        return;
    }
    endHelper();
}
