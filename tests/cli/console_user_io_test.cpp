#include "cli/console_user_io.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

namespace zat::cli {
namespace {

// What a console implementation printed to its stream.
class Captured {
public:
    Captured() : file_(std::tmpfile()) {}
    ~Captured() { std::fclose(file_); }
    std::FILE* file() { return file_; }
    std::string text() {
        std::fflush(file_);
        std::rewind(file_);
        std::string out;
        char buffer[4096];
        std::size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, file_)) > 0) out.append(buffer, n);
        return out;
    }

private:
    std::FILE* file_;
};

void runOperation(Progress& progress, int total, int steps) {
    progress.show();
    progress.setRange(0, total);
    progress.setMessage("Working on it");
    for (int i = 0; i < steps; ++i) progress.step();
    progress.destroy();
}

TEST(ConsoleProgress, TerminalBarRedrawsInPlaceOnlyWhenThePercentageChanges) {
    Captured err;
    ConsoleProgress progress(err.file(), /*terminal=*/true, /*quiet=*/false);
    runOperation(progress, 4, 4);
    const std::string bar0 = "\rWorking on it [" + std::string(30, ' ') + "] 0% complete";
    const std::string bar25 = "\rWorking on it [" + std::string(7, '#') + std::string(23, ' ') + "] 25% complete";
    const std::string bar100 = "\rWorking on it [" + std::string(30, '#') + "] 100% complete";
    const std::string text = err.text();
    EXPECT_EQ(text.rfind(bar0 + bar25, 0), 0u) << text;
    EXPECT_NE(text.find(bar100 + "\n"), std::string::npos) << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 5);  // 0, 25, 50, 75, 100
}

TEST(ConsoleProgress, LinesForEveryTenPercentOtherwise) {
    Captured err;
    ConsoleProgress progress(err.file(), false, false);
    runOperation(progress, 3, 3);  // 0, 33, 66, 100: tenths 0, 3, 6, 10
    EXPECT_EQ(err.text(),
              "Working on it: 0% complete\nWorking on it: 33% complete\n"
              "Working on it: 66% complete\nWorking on it: 100% complete\n");
}

TEST(ConsoleProgress, AnOperationWithoutStepsStaysAtZero) {
    Captured err;
    ConsoleProgress progress(err.file(), false, false);
    runOperation(progress, 290, 0);
    EXPECT_EQ(err.text(), "Working on it: 0% complete\n");
}

TEST(ConsoleProgress, QuietPrintsNothing) {
    Captured err;
    ConsoleProgress progress(err.file(), true, true);
    runOperation(progress, 10, 10);
    EXPECT_EQ(err.text(), "");
}

TEST(ConsolePrompts, PrintsCaptionAndTextAndAnswersQuestionsAsTold) {
    Captured err;
    ConsolePrompts prompts(err.file());
    EXPECT_EQ(
        prompts.show("\nIllegal channel number", "I/O Reference Error", MessageIcon::Exclamation, MessageButtons::Ok),
        Answer::Ok);
    EXPECT_EQ(prompts.show("Save changes?", "Question", MessageIcon::Question, MessageButtons::YesNoCancel),
              Answer::Abort);
    prompts.questionAnswer = Answer::Retry;
    EXPECT_EQ(prompts.show("An error has ocurred during setup Transfer.", "Transfer Failure", MessageIcon::Stop,
                           MessageButtons::AbortRetryIgnore),
              Answer::Retry);
    EXPECT_EQ(err.text(),
              "I/O Reference Error: Illegal channel number\n"
              "Question: Save changes?\n"
              "Transfer Failure: An error has ocurred during setup Transfer.\n");
}

TEST(ConsoleProgress, ANewMessageGetsItsLineWithinTheSameTenth) {
    Captured err;
    ConsoleProgress progress(err.file(), false, false);
    progress.show();
    progress.setRange(0, 100);
    progress.setMessage("Exporting analog input setup");
    for (int i = 0; i < 12; ++i) progress.step();
    progress.setMessage("Exporting IF blocks");
    progress.setMessage("Exporting IF blocks");  // the same again: no line
    for (int i = 0; i < 8; ++i) progress.step();
    progress.destroy();
    EXPECT_EQ(err.text(),
              "Exporting analog input setup: 0% complete\nExporting analog input setup: 10% complete\n"
              "Exporting IF blocks: 12% complete\nExporting IF blocks: 20% complete\n");
}

TEST(ConsoleProgress, OnATerminalAMessageEndsTheBarsLineAndTheBarComesBackBelow) {
    Captured err;
    ConsoleProgress progress(err.file(), true, false);
    ConsolePrompts prompts(err.file(), &progress);
    progress.show();
    progress.setRange(0, 100);
    progress.setMessage("Reading cold junction Calibration");
    prompts.show("B Register values were illegal", "Warning", MessageIcon::Exclamation, MessageButtons::Ok);
    progress.step();
    progress.setMessage("Short");
    progress.destroy();
    const std::string empty(30, ' ');
    const std::string one = "[" + empty + "] 1% complete";
    EXPECT_EQ(err.text(), "\rReading cold junction Calibration [" + empty +
                              "] 0% complete\n"
                              "Warning: B Register values were illegal\n"
                              "\rReading cold junction Calibration " +
                              one +
                              // The shorter message blanks what is left of the longer one.
                              "\rShort " + one + std::string(28, ' ') + "\n");
}

TEST(ConsolePrompts, AFailedTransferIsRetriedAsOftenAsAllowedThenIgnoredOnceThenAborted) {
    Captured err;
    ConsolePrompts prompts(err.file());
    prompts.retriesLeft = 2;
    prompts.ignoreOnce = true;
    const auto ask = [&](MessageButtons buttons) {
        return prompts.show("An error has ocurred during setup Transfer.", "Transfer Failure", MessageIcon::Stop,
                            buttons);
    };
    EXPECT_EQ(ask(MessageButtons::YesNo), Answer::Abort) << "only Abort/Retry/Ignore uses the retries";
    EXPECT_EQ(ask(MessageButtons::AbortRetryIgnore), Answer::Retry);
    EXPECT_EQ(ask(MessageButtons::AbortRetryIgnore), Answer::Retry);
    EXPECT_EQ(ask(MessageButtons::AbortRetryIgnore), Answer::Ignore);
    EXPECT_EQ(ask(MessageButtons::AbortRetryIgnore), Answer::Abort);
    EXPECT_EQ(ask(MessageButtons::AbortRetryIgnore), Answer::Abort);
    EXPECT_EQ(err.text().size(),
              6 * std::string("Transfer Failure: An error has ocurred during setup Transfer.\n").size());
}

TEST(ConsoleStatus, OnlyWhenVerboseAndNeverTheClearing) {
    Captured err;
    ConsoleStatus quiet(err.file(), false);
    quiet.setStatusText("Loading ZAT database file :a.zat");
    ConsoleStatus verbose(err.file(), true);
    verbose.setStatusText("Saving ZAT database file :b.zat");
    verbose.setStatusText("");
    EXPECT_EQ(err.text(), "Saving ZAT database file :b.zat\n");
}

}  // namespace
}  // namespace zat::cli
