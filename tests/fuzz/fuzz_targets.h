// The entry points of the fuzzers: each feeds bytes from memory through the same parsing
// functions the program uses on a card's files. The libFuzzer harnesses (fuzz_main.cpp, built
// by tools/fuzz.sh) and the corpus regression test of the normal suite both call them.
#ifndef VOK_TESTS_FUZZ_FUZZ_TARGETS_H
#define VOK_TESTS_FUZZ_FUZZ_TARGETS_H

#include <string>

struct FuzzTarget {
    const char* name;                   // also the seed folder tests/corpus/<name>/
    void (*run)(const std::string& bytes); // aborts when a property of the parser breaks
};

extern const FuzzTarget FuzzTargets[];  // every parser of the program, by name
extern const int FuzzTargetCount;
// The target called `name`, or null.
const FuzzTarget* FindFuzzTarget(const std::string& name);

#endif
