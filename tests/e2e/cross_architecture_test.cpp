// The 32-bit and the 64-bit Skorvelin.exe each close the other architecture's applications. The
// other build's bin folder sits at <bin>\..\..\<other architecture>\bin, as the two builds of
// the project's presets (and any two build folders made side by side) lay them out.
#include "tests/support/harness.h"
#include "tests/support/target.h"

#include <gtest/gtest.h>

namespace {

using namespace skorvelin::support;

namespace fs = std::filesystem;

std::optional<DWORD> BinaryType(const fs::path& program) {
    DWORD type = 0;
    if (!GetBinaryTypeW(program.c_str(), &type)) {
        return std::nullopt;
    }
    return type;
}

DWORD ExpectedBinaryType(const fs::path& binFolder) {
    return binFolder == BinFolder() ? (sizeof(void*) == 8 ? SCS_64BIT_BINARY : SCS_32BIT_BINARY)
                                    : (sizeof(void*) == 8 ? SCS_32BIT_BINARY : SCS_64BIT_BINARY);
}

struct Pairing {
    const char* what;
    fs::path skorvelinFolder;
    fs::path targetFolder;
};

class CrossArchitecture : public testing::Test {
  protected:
    void SetUp() override {
        const fs::path peer = PeerBinFolder();
        for (const fs::path& program : {peer / L"Skorvelin.exe", TargetProgram(peer)}) {
            ASSERT_TRUE(fs::exists(program))
                << "The other architecture's build is missing: " << program.string()
                << " not found. Build both architectures side by side (see the README).";
        }
        pairings_ = {{"own Skorvelin, other architecture's application", BinFolder(), peer},
                     {"other architecture's Skorvelin, own application", peer, BinFolder()}};
        for (const Pairing& pairing : pairings_) {
            for (const fs::path& folder : {pairing.skorvelinFolder, pairing.targetFolder}) {
                ASSERT_EQ(BinaryType(folder / L"Skorvelin.exe"), ExpectedBinaryType(folder));
                ASSERT_EQ(BinaryType(TargetProgram(folder)), ExpectedBinaryType(folder));
            }
        }
    }

    std::vector<Pairing> pairings_;
};

TEST_F(CrossArchitecture, TitleCommand) {
    const std::wstring tag = UniqueTag();
    for (const Pairing& pairing : pairings_) {
        SCOPED_TRACE(pairing.what);
        ScratchFolder scratch;
        Job job;
        const TargetApp target(
            job, TargetProgram(pairing.targetFolder), scratch.path(),
            {{L"Across " + tag, WindowPlan::Kind::Hidden}, {L"Across " + tag + L" decoy"}});
        ASSERT_EQ(target.failure(), L"");

        EXPECT_EQ(RunToEnd(job, pairing.skorvelinFolder / L"Skorvelin.exe", L"/t:across " + tag),
                  std::optional<DWORD>(0));

        EXPECT_EQ(target.QuitWindows(), std::optional<std::set<size_t>>({0}));
    }
}

TEST_F(CrossArchitecture, NameCommand) {
    const std::wstring name = L"across" + UniqueTag() + L".exe";
    for (const Pairing& pairing : pairings_) {
        SCOPED_TRACE(pairing.what);
        ScratchFolder scratch;
        Job job;
        const fs::path copy =
            CopyProgram(TargetProgram(pairing.targetFolder), scratch.path(), name);
        const TargetApp victim(job, copy, scratch.path(), {});
        ASSERT_EQ(victim.failure(), L"");

        EXPECT_EQ(RunToEnd(job, pairing.skorvelinFolder / L"Skorvelin.exe", L"/n:" + name),
                  std::optional<DWORD>(0));

        ASSERT_TRUE(victim.process().WaitForEnd(10000));
        EXPECT_EQ(victim.process().ExitCode(), std::optional<DWORD>(0));
    }
}

} // namespace
