// The demo service pack that the exe embeds by default is the patch writer's
// own work, in step with the demo products.
#include <gtest/gtest.h>

#include <string>

#include "installer/patch_targets.h"
#include "tests/fixtures/demo_patch.h"
#include "tests/support/installer_fixtures.h"
#include "tests/support/scratch.h"
#include "tests/support/text_support.h"

namespace {

TEST(DemoPatch, TheCommittedPackageIsWhatTheWriterMakes) {
    const ScratchFolder scratch;
    ASSERT_EQ(WritePatch(scratch / L"demo.msp", DemoPatchRecipe()), S_OK);
    std::string written;
    std::string committed;
    ASSERT_TRUE(ReadWholeFile(scratch / L"demo.msp", written));
    ASSERT_TRUE(ReadWholeFile(ModuleFolder() + L"\\fixtures\\demo.msp", committed));
    EXPECT_TRUE(written == committed)
        << "resources/demo.msp is out of date: run tools/make-demo-patch.sh";
}

TEST(DemoPatch, TargetsTheFiveDemoProducts) {
    Text targets;
    ASSERT_TRUE(ReadPatchTargets(ToText(ModuleFolder() + L"\\fixtures\\demo.msp"), targets));
    std::wstring expected;
    for (const wchar_t* name : {L"demo_fr", L"demo_de", L"demo_ja", L"demo_en", L"demo_ko"}) {
        if (!expected.empty()) expected += L";";
        expected += Fixture(name).productCode;
    }
    EXPECT_EQ(targets, expected);
    EXPECT_EQ(targets.size(), 194u);
}

}  // namespace
