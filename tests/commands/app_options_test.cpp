#include "commands/app_options.h"

#include <gtest/gtest.h>

using namespace zat;

TEST(AppOptions, TakeOneDatabaseAndTheSimulatedUnit) {
    AppOptionsResult parsed = parseAppOptions({"--simulate", "plant.zat"});
    EXPECT_TRUE(parsed.error.empty());
    EXPECT_TRUE(parsed.options.simulate);
    EXPECT_EQ(parsed.options.database.value_or(""), "plant.zat");

    parsed = parseAppOptions({});
    EXPECT_FALSE(parsed.options.database);
    EXPECT_FALSE(parsed.options.simulate);

    // A database whose name starts with a dash comes after "--".
    parsed = parseAppOptions({"--", "-odd.zat"});
    EXPECT_EQ(parsed.options.database.value_or(""), "-odd.zat");
}

TEST(AppOptions, LogNamesTheFileTheExchangesGoTo) {
    const AppOptionsResult parsed = parseAppOptions({"--log", "line.log", "plant.zat"});
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.logFile, "line.log");
    EXPECT_EQ(parsed.options.database, "plant.zat");
    EXPECT_EQ(parseAppOptions({"plant.zat", "--log"}).error, "--log needs a file name");
}

TEST(AppOptions, RefuseWhatTheyDoNotKnow) {
    EXPECT_EQ(parseAppOptions({"--simulated"}).error, "unknown option --simulated");
    EXPECT_EQ(parseAppOptions({"a.zat", "b.zat"}).error, "only one database file can be given (b.zat)");
}

TEST(AppOptions, NoDisplayIsSaidInOneLineNamingTheCommandLineTool) {
    const auto message = noDisplayMessage(nullptr, "", nullptr);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->find('\n'), std::string::npos);
    EXPECT_NE(message->find("zatctl"), std::string::npos);
    EXPECT_FALSE(noDisplayMessage(nullptr, ":0", nullptr));
    EXPECT_FALSE(noDisplayMessage(nullptr, nullptr, "wayland-0"));
    EXPECT_FALSE(noDisplayMessage("offscreen", nullptr, nullptr));
}

TEST(AppOptions, PrintWritesAListingToAPdfAndNeedsAllItsParts) {
    const AppOptionsResult parsed = parseAppOptions({"--print", "if", "--pdf", "out.pdf", "plant.zat"});
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.print, Listing::IF);
    EXPECT_EQ(parsed.options.pdf.value_or(""), "out.pdf");
    EXPECT_EQ(parsed.options.database.value_or(""), "plant.zat");
    EXPECT_FALSE(parsed.options.paper) << "the locale's paper";
    for (const auto& [word, paper] : {std::pair{"a4", Paper::A4}, std::pair{"letter", Paper::Letter}})
        EXPECT_EQ(parseAppOptions({"--print", "io", "--paper", word, "--pdf", "o.pdf", "p.zat"}).options.paper, paper);

    const std::pair<std::vector<std::string>, std::string> refused[] = {
        {{"--print", "pid", "--pdf", "o.pdf", "p.zat"}, "--print takes io or if"},
        {{"--print"}, "--print takes io or if"},
        {{"--print", "io", "p.zat"}, "--print needs --pdf OUT.pdf"},
        {{"--pdf", "o.pdf", "p.zat"}, "--pdf needs --print io|if"},
        {{"--print", "io", "--pdf"}, "--pdf needs a file name"},
        {{"--print", "io", "--pdf", "o.pdf"}, "--print needs the database file to print"},
        {{"--print", "io", "--pdf", "o.pdf", "--paper", "A5", "p.zat"}, "--paper takes a4 or letter"},
        {{"--print", "io", "--pdf", "o.pdf", "--paper"}, "--paper takes a4 or letter"},
        {{"--paper", "a4", "p.zat"}, "--paper needs --print io|if"},
    };
    for (const auto& [args, error] : refused) EXPECT_EQ(parseAppOptions(args).error, error) << args.size();
}
