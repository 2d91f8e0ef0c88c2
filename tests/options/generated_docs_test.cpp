// The help, the manual page and the completion of each program are written
// from one option table; they must name the same options.
#include "cli/command_help.h"
#include "cli/commands.h"
#include "cli/zatctl_manual.h"
#include "commands/app_manual.h"
#include "commands/app_options.h"
#include "sim/sim_manual.h"
#include "sim/sim_options.h"

#include <gtest/gtest.h>
#include <regex>
#include <set>
#include <string>

namespace {

using Names = std::set<std::string>;

// Every "-x" or "--name" that stands as a word of its own ("hand-edited" does not).
Names optionsNamedIn(const std::string& text) {
    static const std::regex option(R"((^|[^A-Za-z0-9_-])(--?[a-z][a-z0-9-]*))");
    Names names;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it)
        names.insert((*it)[2]);
    return names;
}

// The options the help describes: its lines that start with an option.
Names optionsDescribedInHelp(const std::string& help) {
    std::string labels;
    const std::regex entry(R"((^|\n)  (-[^\n]*))");
    for (auto it = std::sregex_iterator(help.begin(), help.end(), entry); it != std::sregex_iterator(); ++it)
        labels += (*it)[2].str() + "\n";
    return optionsNamedIn(labels);
}

// The options the manual page describes: the labels of its tagged paragraphs.
Names optionsDescribedInManual(const std::string& roff) {
    std::string labels;
    const std::regex entry(R"(\.TP\n([^\n]*))");
    for (auto it = std::sregex_iterator(roff.begin(), roff.end(), entry); it != std::sregex_iterator(); ++it)
        labels += (*it)[1].str() + "\n";
    labels = std::regex_replace(labels, std::regex(R"(\\f[BIR])"), "");
    return optionsNamedIn(std::regex_replace(labels, std::regex(R"(\\-)"), "-"));
}

// What the completion offers: the options in its word lists and the options
// whose values it completes (its case arms).
Names optionsOfferedBy(const std::string& script) {
    Names names;
    const std::regex words(R"(_zat_words '([^']*)')");
    for (auto it = std::sregex_iterator(script.begin(), script.end(), words); it != std::sregex_iterator(); ++it)
        for (const std::string& name : optionsNamedIn((*it)[1])) names.insert(name);
    const std::regex arm(R"(\n +(-[-a-z0-9|]+)\)\n)");
    for (auto it = std::sregex_iterator(script.begin(), script.end(), arm); it != std::sregex_iterator(); ++it)
        for (const std::string& name : optionsNamedIn(std::regex_replace((*it)[1].str(), std::regex("\\|"), " ")))
            names.insert(name);
    return names;
}

TEST(GeneratedDocs, ZatctlHelpManualAndCompletionNameTheSameOptions) {
    std::string help = zat::cli::zatctlHelp();
    for (const zat::cli::Command& command : zat::cli::commands()) help += zat::cli::commandHelp(command);
    const Names inHelp = optionsDescribedInHelp(help);
    EXPECT_EQ(optionsDescribedInManual(zat::cli::zatctlManual("1.0")), inHelp);
    EXPECT_EQ(optionsOfferedBy(zat::cli::zatctlCompletion()), inHelp);
    for (const char* name : {"-q", "--db", "--groups", "--ignore-errors", "--csv", "-o"})
        EXPECT_TRUE(inHelp.contains(name)) << name;
}

TEST(GeneratedDocs, ZatsetupAndSimulatorHelpAndManualNameTheSameOptions) {
    const Names setup = optionsDescribedInHelp(zat::appUsage());
    EXPECT_EQ(optionsDescribedInManual(zat::appManual("1.0")), setup);
    EXPECT_TRUE(setup.contains("--paper"));
    const Names sim = optionsDescribedInHelp(zat::sim::simUsage());
    EXPECT_EQ(optionsDescribedInManual(zat::sim::simManual("1.0")), sim);
    EXPECT_TRUE(sim.contains("--bad-value-reply-to"));
}

}  // namespace
