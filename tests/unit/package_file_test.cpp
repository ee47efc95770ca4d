#include <gtest/gtest.h>

#include <string>

#include "installer/compound_file.h"
#include "tests/support/scratch.h"

namespace {

bool Sound(const std::string& bytes) {
    return IsSoundPackageFile(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::string Changed(std::string bytes, std::size_t at, char value) {
    bytes[at] = value;
    return bytes;
}

TEST(IsSoundPackageFile, TellsPackagesFromDamagedFiles) {
    std::string patch;
    std::string database;
    patch = BuiltPackage();
    ASSERT_TRUE(ReadWholeFile(ModuleFolder() + L"\\fixtures\\run_fr.msi", database));
    const std::size_t directory = (static_cast<unsigned char>(patch[48]) + 1) * 512;

    EXPECT_TRUE(Sound(patch));
    EXPECT_TRUE(Sound(database));
    EXPECT_FALSE(Sound(""));
    EXPECT_FALSE(Sound("not a compound file"));
    EXPECT_FALSE(Sound(patch.substr(0, 512)));
    EXPECT_FALSE(Sound(patch.substr(0, 1536)));
    EXPECT_FALSE(Sound(patch.substr(0, patch.size() - 1)));
    EXPECT_FALSE(Sound(Changed(patch, 0, 'X')));                     // signature
    EXPECT_FALSE(Sound(Changed(patch, 30, 10)));                     // sector size
    EXPECT_FALSE(Sound(Changed(patch, 48, '\x7F')));                 // directory outside the file
    EXPECT_FALSE(Sound(Changed(patch, directory + 80, '\x99')));     // root of no installer class
    EXPECT_FALSE(Sound(Changed(patch, directory + 116, '\x7F')));    // root's stream outside
    EXPECT_FALSE(Sound(Changed(patch, directory + 68 + 128, '\x01')));  // a sibling loop
}

// Damage the reliability suite found to take Wine's installer down: summary
// values that reach past their stream, a stream name without its end.
TEST(IsSoundPackageFile, RefusesTheDamageThatTookWineDown) {
    std::string patch;
    patch = BuiltPackage();
    std::string damaged = patch;
    for (const auto& [at, value] : {std::pair<std::size_t, char>{2119, '\x53'}, {5338, '\xE6'},
                                    {5465, '\xFF'}, {6539, '\xC6'}}) {
        damaged[at] = value;
    }
    EXPECT_FALSE(Sound(damaged));

    // The summary stream is the one beginning with the property-set byte order.
    const std::size_t summary = patch.find(std::string("\xFE\xFF\x00\x00", 4));
    ASSERT_NE(summary, std::string::npos);
    EXPECT_FALSE(Sound(Changed(patch, summary + 44, '\x7F')));  // the section's offset
    EXPECT_FALSE(Sound(Changed(patch, summary + 48 + 4, '\x7F')));  // the property count

    // A stream name whose null character is gone: Wine then finds no string pool.
    EXPECT_FALSE(Sound(Changed(patch, 1423, '\x3E')));
}

}  // namespace
