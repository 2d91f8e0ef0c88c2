// The message boxes of a benchmark, which has nobody at the screen: any box
// is unexpected, so it is printed and the run stops.
#pragma once

#include "userio/prompts.h"

#include <cstdio>
#include <cstdlib>

class FailingPrompts final : public zat::Prompts {
public:
    explicit FailingPrompts(const char* program) : program_(program) {}

    zat::Answer show(std::string_view text, std::string_view, zat::MessageIcon, zat::MessageButtons) override {
        std::fprintf(stderr, "%s: unexpected message: %.*s\n", program_, static_cast<int>(text.size()), text.data());
        std::exit(1);
    }

private:
    const char* program_;
};
