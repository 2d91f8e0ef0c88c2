// zatctl listing on the demo plant: the text of both listings, to standard
// output and to a file, and the refusals.
#include "support/run_program.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace zat {
namespace {

const std::string kDemo = std::string(ZAT_SOURCE_DIR) + "/examples/demo-plant.zat";

test::ProgramResult zatctl(const std::vector<std::string>& args) { return test::runProgram(ZATCTL_PATH, args); }

TEST(ZatctlListing, IoListingIsOnePageOfTheDemoPlantsComments) {
    const auto result = zatctl({"-q", "listing", "io", kDemo});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string start =
        " ZAT I/O Listing : demo-plant.zat \tPage   1\n#\tA\tB\tC\tD\n\n\n"
        " 0\tZone 1 roof TC\tBurner 1 valve\tKiln door closed\tBurner 1 enable\n";
    EXPECT_EQ(result.out.substr(0, start.size()), start);
    EXPECT_NE(result.out.find("\n 6\tAmbient Pt100 \u00B0C\t\tCar in position\tRamp up\n"), std::string::npos)
        << "converted from Windows-1252";
    EXPECT_NE(result.out.find("\tRamp down\n\n 8\t"), std::string::npos) << "a blank line after each eight rows";
    EXPECT_EQ(result.out.find('\f'), std::string::npos);
    EXPECT_EQ(std::count(result.out.begin(), result.out.end(), '\n'), 1 + 3 + 56 + 7);
    EXPECT_EQ(result.err, "");
}

TEST(ZatctlListing, IfListingGoesToAFileAsToStandardOutput) {
    test::TempDir dir;
    const std::string out = dir.file("if.txt");
    const auto toFile = zatctl({"-q", "listing", "if", kDemo, "-o", out});
    ASSERT_EQ(toFile.exitCode, 0) << toFile.err;
    EXPECT_EQ(toFile.out, "");
    const auto shown = zatctl({"-q", "listing", "if", kDemo});
    EXPECT_EQ(test::readFile(out), shown.out);
    EXPECT_NE(shown.out.find("Enabled\tCondition\tAction if true\tAction if false\tComment\n\n\n"
                             "YES\tIF A8 >= 1250\tTHEN D3 = 1 \tELSE D3 = 0 \tOver-temperature alarm\n"),
              std::string::npos)
        << shown.out;
}

TEST(ZatctlListing, RefusalsExit2) {
    test::TempDir dir;
    for (const std::vector<std::string>& args : {std::vector<std::string>{"listing", "pid", kDemo},
                                                 {"listing", "io"},
                                                 {"listing", "io", kDemo, "-o"},
                                                 {"listing", "io", dir.file("absent.zat")},
                                                 {"listing", "io", kDemo, "-o", dir.file("no/such/dir.txt")}}) {
        const auto result = zatctl(args);
        EXPECT_EQ(result.exitCode, 2) << args.back();
        EXPECT_NE(result.err, "") << args.back();
        EXPECT_EQ(result.out, "");
    }
}

}  // namespace
}  // namespace zat
