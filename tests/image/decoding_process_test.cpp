// The decoding process: a decoder that crashes, hangs or makes nonsense costs only its image,
// the helper dying, being killed or stopped between images sends images back to the old path,
// nonsense on its socket is refused, and images decoded ahead are answered once, unchanged.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "image/decode.h"
#include "image/decoding_process.h"
#include "tests/image/test_images.h"

namespace {

using Bytes = std::vector<unsigned char>;

// A folder of the test's own, removed when the test program ends.
struct ScratchFolder {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("vorn-decoding-process-" + std::to_string(getpid()));
    ScratchFolder() { std::filesystem::create_directories(path); }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

const std::filesystem::path& scratch() {
    static const ScratchFolder folder;
    return folder.path;
}

void writeFile(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The generation the test writes, read by the decoder at decoding time: a picture decoded
// ahead shows the generation of that moment.
unsigned char generation() {
    std::ifstream file(scratch() / "generation");
    int value = 0;
    file >> value;
    return static_cast<unsigned char>(value);
}

// Acts on the first byte: c crashes, h hangs, n refuses, r refuses at generation 1, s leaves
// the picture short, w makes it wider than any caller allows; anything else is a 2 x 1 RGB
// picture of the generation.
bool decodeByFirstByte(int, const Bytes& bytes, DecodedPixels& pixels) {
    switch (bytes.empty() ? 0 : bytes[0]) {
    case 'c': std::abort();
    case 'h':
        for (;;) pause();
    case 'n': return false;
    case 'r':
        if (generation() == 1) return false;
        pixels = DecodedPixels{2, 1, 3, Bytes(6, generation())};
        return true;
    case 's': pixels = DecodedPixels{2, 2, 3, Bytes(11)}; return true;
    case 'w': pixels = DecodedPixels{1 << 20, 1, 3, Bytes(3 << 20)}; return true;
    default: pixels = DecodedPixels{2, 1, 3, Bytes(6, generation())}; return true;
    }
}

bool prepareWholeFile(const char* fileName, int, int& format, Bytes& bytes) {
    std::ifstream file(fileName, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    format = 0;
    return bool(file) || !bytes.empty();
}

DecoderCalls testCalls() {
    DecoderCalls calls;
    calls.prepare = prepareWholeFile;
    calls.decode = decodeByFirstByte;
    return calls;
}

Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

ProcessDecoding decode(const std::string& text, DecodedPixels& pixels, int largestSide = 64) {
    return decodeInDecodingProcess(0, bytesOf(text), largestSide, pixels);
}

class DecodingProcessTest : public testing::Test {
protected:
    void SetUp() override {
        writeFile(scratch() / "generation", "1");
        ASSERT_TRUE(startDecodingProcess(testCalls()));
    }
    void TearDown() override { stopDecodingProcess(); }
};

TEST_F(DecodingProcessTest, AFailingDecoderCostsOnlyItsImage) {
    const pid_t helper = decodingProcessId();
    ASSERT_GT(helper, 0);
    const struct {
        const char* what;
        std::string bytes;
    } failures[] = {
        {"a crash", "crash"},
        {"a hang, stopped at the deadline", "hang"},
        {"a decoder that says no", "no"},
        {"pixels that do not fill the picture", "short"},
        {"a picture wider than the caller allows", "wide"},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.what);
        DecodedPixels pixels;
        EXPECT_EQ(decode(failure.bytes, pixels), ProcessDecoding::Refused);
        EXPECT_TRUE(pixels.bytes.empty());
        EXPECT_EQ(decode("picture", pixels), ProcessDecoding::Decoded);
        EXPECT_EQ(pixels.bytes, Bytes(6, 1));
        EXPECT_EQ(decodingProcessId(), helper) << "the helper itself goes on";
    }
}

TEST_F(DecodingProcessTest, AHelperKilledOrStoppedBetweenImagesSendsTheNextOneElsewhere) {
    const struct {
        const char* what;
        int signal;
    } ends[] = {{"killed", SIGKILL}, {"stopped, ended at the deadline", SIGSTOP}};
    for (const auto& end : ends) {
        SCOPED_TRACE(end.what);
        ASSERT_TRUE(startDecodingProcess(testCalls()));
        const pid_t helper = decodingProcessId();
        ASSERT_EQ(kill(helper, end.signal), 0);
        DecodedPixels pixels;
        EXPECT_EQ(decode("picture", pixels), ProcessDecoding::NotTaken);
        EXPECT_TRUE(pixels.bytes.empty());
        EXPECT_EQ(decodingProcessId(), -1);
        EXPECT_EQ(waitpid(helper, nullptr, WNOHANG), -1) << "reaped already";
        EXPECT_EQ(decode("picture", pixels), ProcessDecoding::NotTaken);
    }
    // Without a helper, the library decodes each image in a child of the program, as before.
    DecodedPixels pixels;
    EXPECT_TRUE(decodeImageFile((testimages::directory() + "/real/picture.png").c_str(),
                                kDefaultLargestImageSide, pixels));
    EXPECT_EQ(pixels.width, 6);
}

TEST_F(DecodingProcessTest, AChildOfTheProgramLeavesTheHelperToItsOwner) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        DecodedPixels pixels;
        const bool left = decodingProcessId() == -1 &&
                          decode("picture", pixels) == ProcessDecoding::NotTaken;
        stopDecodingProcess();
        _exit(left ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    DecodedPixels pixels;
    EXPECT_EQ(decode("picture", pixels), ProcessDecoding::Decoded) << "still serves its owner";
}

TEST_F(DecodingProcessTest, AnImageDecodedAheadIsAnsweredOnceForTheSameBytes) {
    const std::string ahead = (scratch() / "ahead.img").string();
    const std::string refused = (scratch() / "refused.img").string();
    writeFile(ahead, "picture ahead");
    writeFile(refused, "refused ahead");
    decodeAheadInDecodingProcess(ahead.c_str(), 64);
    decodeAheadInDecodingProcess(refused.c_str(), 64);
    decodeAheadInDecodingProcess((scratch() / "missing.img").string().c_str(), 64);
    decodeAheadInDecodingProcess(ahead.c_str(), 64);
    DecodedPixels pixels;
    // Answered only after all were decoded ahead, at generation 1; the first file twice.
    ASSERT_EQ(decode("another picture", pixels), ProcessDecoding::Decoded);
    writeFile(scratch() / "generation", "2");

    const struct {
        const char* what;
        std::string bytes;
        int largestSide;
        ProcessDecoding outcome;
        unsigned char generation;
    } cases[] = {
        {"other bytes are decoded now", "picture AHEAD", 64, ProcessDecoding::Decoded, 2},
        {"the same bytes come from ahead", "picture ahead", 64, ProcessDecoding::Decoded, 1},
        {"a picture ahead too wide for a smaller side", "picture ahead", 1, ProcessDecoding::Refused, 0},
        {"but only once", "picture ahead", 64, ProcessDecoding::Decoded, 2},
        {"a refusal does not stand for a larger side", "refused ahead", 128, ProcessDecoding::Decoded, 2},
        {"but for a smaller one", "refused ahead", 32, ProcessDecoding::Refused, 0},
        {"a missing file was not decoded ahead", "", 64, ProcessDecoding::Decoded, 2},
    };
    for (const auto& sample : cases) {
        SCOPED_TRACE(sample.what);
        EXPECT_EQ(decode(sample.bytes, pixels, sample.largestSide), sample.outcome);
        if (sample.outcome == ProcessDecoding::Decoded) {
            EXPECT_EQ(pixels.bytes, Bytes(6, sample.generation));
        }
    }
}

// The helper's answer as the program reads it, from a socket the test writes.
TEST(DecodingAnswerTest, NonsenseOnTheSocketIsRefused) {
    const auto shape = [](std::int32_t width, std::int32_t height, std::int32_t channels) {
        std::string text(12, '\0');
        const std::int32_t fields[] = {width, height, channels};
        std::memcpy(text.data(), fields, sizeof fields);
        return text;
    };
    const struct {
        const char* what;
        std::string sent;
        bool closed;
        bool read, decoded;
    } cases[] = {
        {"refused", std::string(1, '\0'), true, true, false},
        {"a picture", "\x01" + shape(2, 1, 3) + "abcdef", true, true, true},
        {"an answer of neither kind", "\x02" + shape(2, 1, 3) + "abcdef", true, false, false},
        {"nothing before the end", "", true, false, false},
        {"nothing before the deadline", "", false, false, false},
        {"five channels", "\x01" + shape(2, 1, 5) + "abcdefghij", true, false, true},
        {"a side above the largest", "\x01" + shape(65, 1, 3) + std::string(195, 'a'), true, false, true},
        {"a short shape", "\x01" + shape(2, 1, 3).substr(0, 7), true, false, true},
        {"short pixels", "\x01" + shape(2, 1, 3) + "abc", true, false, true},
        {"short pixels before the deadline", "\x01" + shape(2, 1, 3) + "abc", false, false, true},
    };
    for (const auto& sample : cases) {
        SCOPED_TRACE(sample.what);
        int ends[2];
        ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
        ASSERT_EQ(write(ends[1], sample.sent.data(), sample.sent.size()), ssize_t(sample.sent.size()));
        if (sample.closed) close(ends[1]);
        DecodedPixels pixels;
        bool decoded = false;
        EXPECT_EQ(readDecodingAnswer(ends[0], 64, pixels, decoded,
                                     std::chrono::steady_clock::now() + std::chrono::milliseconds(50)),
                  sample.read);
        EXPECT_EQ(decoded, sample.decoded);
        if (sample.read && sample.decoded) {
            EXPECT_EQ(pixels.bytes, bytesOf("abcdef"));
        }
        close(ends[0]);
        if (!sample.closed) close(ends[1]);
    }
}

}  // namespace
