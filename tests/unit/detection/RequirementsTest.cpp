#include "Requirements.h"
#include "TestSupport.h"

#include "Detection.h"

#include <gtest/gtest.h>

using namespace detection;

namespace {

// The message of the exception that parsing text raises, or "" when it parses.
std::string ParseError(const std::string& text) {
    try {
        ParseRequirements(text, "req.ini");
    } catch (const Detection::DetectionFailedException& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST(Requirements, ShippedFileIsValidAndKeepsTheProcessorClasses) {
    const Requirements r = LoadRequirements(test::DataDir() / "requirements.ini");
    ASSERT_TRUE(r.os && r.processorScore && r.processors && r.memoryMB && r.videoMemoryMB && r.direct3d &&
                r.freeDiskMB && r.display);
    // A score of 1.0 is the recommended processor class by the benchmark's definition.
    EXPECT_EQ(r.processorScore->recommended, 1.0);
    EXPECT_GT(r.processorScore->minimum, 1.8);
    EXPECT_EQ(r.display->minimum, (Resolution{800, 600}));
}

TEST(Requirements, ReadsEveryKindOfFigure) {
    const Requirements r = ParseRequirements("\xEF\xBB\xBF; game requirements\r\n"
                                             "[os]\r\nminimum = 5.1 ; XP\r\nrecommended=10.0\r\n"
                                             "[processor]\nminimum=2.25\nrecommended=1\n"
                                             "[video_memory]\nminimum=128\nrecommended=8192\n"
                                             "[display]\nminimum=800 x 600\nrecommended=1920X1080\n",
                                             "req.ini");
    ASSERT_TRUE(r.os && r.processorScore && r.videoMemoryMB && r.display);
    EXPECT_EQ(r.os->minimum, (Version{5, 1}));
    EXPECT_EQ(r.os->recommended, (Version{10, 0}));
    EXPECT_DOUBLE_EQ(r.processorScore->minimum, 2.25);
    EXPECT_DOUBLE_EQ(r.processorScore->recommended, 1.0);
    EXPECT_EQ(r.videoMemoryMB->recommended, 8192u);
    EXPECT_EQ(r.display->recommended, (Resolution{1920, 1080}));
    // Sections left out are not judged.
    EXPECT_FALSE(r.memoryMB);
    EXPECT_FALSE(r.processors);
    EXPECT_FALSE(r.freeDiskMB);
}

TEST(Requirements, FaultsNameTheFileAndTheLine) {
    const struct {
        const char* text;
        const char* where;
    } cases[] = {
        {"[memory]\nminimum=1024\nrecommended=2048\n[sound]\n", "req.ini:4:"}, // unknown section
        {"[memory]\nminimum=1024\nmaximum=2048\n", "req.ini:3:"},              // unknown key
        {"[memory]\nminimum=1 GB\nrecommended=2048\n", "req.ini:2:"},          // not a number
        {"[memory]\nminimum=-1\nrecommended=2048\n", "req.ini:2:"},
        {"[memory]\nminimum=99999999999999999999\nrecommended=1\n", "req.ini:2:"}, // overflow
        {"[memory]\nminimum 1024\nrecommended=2048\n", "req.ini:2:"},              // no '='
        {"minimum=1\n[memory]\n", "req.ini:1:"},                                   // outside a section
        {"[memory]\nminimum=1\nminimum=2\nrecommended=3\n", "req.ini:3:"},         // key twice
        {"[memory]\nminimum=1\nrecommended=2\n\n[memory]\n", "req.ini:5:"},        // section twice
        {"[memory\nminimum=1\n", "req.ini:1:"},                                    // unclosed header
        {"[memory]\nminimum=1024\n", "req.ini:1:"},                                // lacks recommended
        {"; nothing\n[disk]\nrecommended=5\n", "req.ini:2:"},                      // lacks minimum
        {"[memory]\nminimum=2048\nrecommended=1024\n", "req.ini:3:"},              // recommended below minimum
        {"[processor]\nminimum=1.0\nrecommended=1.8\n", "req.ini:3:"},             // lower score is better
        {"[processor]\nminimum=0\nrecommended=0\n", "req.ini:2:"},
        {"[processor]\nminimum=1e3\nrecommended=1\n", "req.ini:2:"},
        {"[os]\nminimum=6\nrecommended=6.1\n", "req.ini:2:"}, // version without minor
        {"[os]\nminimum=6.1.7601\nrecommended=6.1\n", "req.ini:2:"},
        {"[display]\nminimum=800\nrecommended=1024x768\n", "req.ini:2:"},
        {"[display]\nminimum=800x600\nrecommended=1024x500\n", "req.ini:3:"}, // height below minimum
        {"; only comments\n\n", "req.ini:2:"},                                // nothing at all
        {"", "req.ini:1:"},
    };
    for (const auto& c : cases) {
        const std::string error = ParseError(c.text);
        EXPECT_EQ(error.rfind(c.where, 0), 0u) << "text:\n" << c.text << "\nerror: " << error;
    }
}

using RequirementsOnDisk = test::ScratchDir;

TEST_F(RequirementsOnDisk, MissingOrOversizedFileRaisesNamingIt) {
    const auto path = dir_ / "requirements.ini";
    try {
        LoadRequirements(path);
        FAIL() << "a missing file must raise";
    } catch (const Detection::DetectionFailedException& e) {
        EXPECT_NE(std::string(e.what()).find("requirements.ini"), std::string::npos) << e.what();
    }

    test::WriteFile(path, "[memory]\nminimum=1\nrecommended=2\n" + std::string(kMaxRequirementsBytes, ';'));
    EXPECT_THROW(LoadRequirements(path), Detection::DetectionFailedException);

    test::WriteFile(path, "[memory]\nminimum=1\nrecommended=2\n");
    EXPECT_EQ(LoadRequirements(path).memoryMB->recommended, 2u);
}
