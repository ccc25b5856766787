// A mesh of more faces than memory holds, in a child process whose address space is capped: the
// failed growth goes to the program's new handler as a failed new does, is retried when the
// handler frees memory, and is bad_alloc when there is no handler.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <new>

#include "meshfile/mesh.h"

namespace {

constexpr int kEndedByHandler = 42;
constexpr int kBadAlloc = 43;
constexpr int kGrewAfterFreeing = 44;

FaceArray* growing = nullptr;
void* reserve = nullptr;
std::size_t facesAtFirstFailure = 0;

// The address space now in use plus `room`, as the process's limit.
void capAddressSpace(std::size_t room) {
    long pages = 0;
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    ASSERT_NE(statm, nullptr);
    ASSERT_EQ(std::fscanf(statm, "%ld", &pages), 1);
    std::fclose(statm);
    const rlim_t limit = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE)) + room;
    const rlimit capped{limit, limit};
    ASSERT_EQ(setrlimit(RLIMIT_AS, &capped), 0);
}

[[noreturn]] void growUntilMemoryRunsOut() {
    FaceArray faces;
    growing = &faces;
    Face face;
    for (;;) faces.add(face);
}

void endProgram() { std::_Exit(kEndedByHandler); }

void endIfGrownAfterFreeing() {
    std::_Exit(growing->size() > facesAtFirstFailure ? kGrewAfterFreeing : 1);
}

void freeReserveOnce() {
    facesAtFirstFailure = growing->size();
    std::free(reserve);
    std::set_new_handler(endIfGrownAfterFreeing);
}

class FaceMemory : public testing::Test {
protected:
    void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
        GTEST_SKIP() << "AddressSanitizer's shadow memory does not fit a capped address space";
#endif
        GTEST_FLAG_SET(death_test_style, "threadsafe");
    }
};

TEST_F(FaceMemory, AFailedGrowthCallsTheNewHandler) {
    EXPECT_EXIT(
        {
            capAddressSpace(std::size_t(64) << 20);
            std::set_new_handler(endProgram);
            growUntilMemoryRunsOut();
        },
        testing::ExitedWithCode(kEndedByHandler), "");
}

TEST_F(FaceMemory, TheGrowthIsRetriedAfterTheHandlerFreesMemory) {
    EXPECT_EXIT(
        {
            reserve = std::malloc(std::size_t(96) << 20);
            capAddressSpace(std::size_t(32) << 20);
            std::set_new_handler(freeReserveOnce);
            growUntilMemoryRunsOut();
        },
        testing::ExitedWithCode(kGrewAfterFreeing), "");
}

TEST_F(FaceMemory, WithoutAHandlerTheGrowthThrowsBadAlloc) {
    EXPECT_EXIT(
        {
            capAddressSpace(std::size_t(64) << 20);
            std::set_new_handler(nullptr);
            try {
                growUntilMemoryRunsOut();
            } catch (const std::bad_alloc&) {
                std::_Exit(kBadAlloc);
            }
        },
        testing::ExitedWithCode(kBadAlloc), "");
}

}  // namespace
