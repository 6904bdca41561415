// FuzzSupport.h - what every fuzz target shares: the two functions a target
// defines, the process's private work folder, and inputs read as edits of a
// valid file.
//
// A target (tests/Fuzz/<Name>Fuzz.cpp, see cmake/Fuzz.cmake) starts each
// input with FuzzBeginInput, hands the bytes to its reader and checks what
// must always hold with FUZZ_CHECK. It runs under libFuzzer (fuzz_<name>)
// and under the replay main (fuzz_replay_<name>), the same code both ways.
//
// The first input makes the work folder the current folder: give a fuzzer
// its corpus folders as absolute paths (scripts/fuzz.sh and the replay main
// do).
//
// State: the work folder (made on the first input, removed at exit).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One seed: a small valid input, named for the file it is written to.
struct FuzzSeed {
  std::string name;
  std::string bytes;
};

// Defined by each target.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
std::vector<FuzzSeed> FuzzSeeds();

// A promise of the reader that failed: a crash that the fuzzer records.
#define FUZZ_CHECK(condition) \
  do {                        \
    if (!(condition)) __builtin_trap(); \
  } while (0)

// Before each input. The first call makes a private work folder (on a memory
// file system when there is one) the current folder and runs dialogs
// headless; every call starts the log afresh, its messages kept in memory
// only (no log file is written).
void FuzzBeginInput();
// The work folder (a native path).
const std::string& FuzzWorkFolder();

// Writes bytes to a file of the work folder, making its folders.
void FuzzWriteFile(const std::string& name, const std::uint8_t* data, std::size_t size);
void FuzzWriteFile(const std::string& name, const std::string& bytes);
std::string FuzzReadFile(const std::string& name);
// A game path ('\\' separators) as a path of the file system.
std::string FuzzNativePath(const std::string& gamePath);

// An input read as edits of a valid file, so that the fuzzer works on the
// fields rather than on the format's outer checks. Each edit is a 3-byte
// little-endian offset (taken modulo the file's size), a length byte n and
// n bytes written there (cut at the end of the input and of the file); a
// length of 0 cuts the file at the offset instead.
void FuzzApplyEdits(const std::uint8_t* data, std::size_t size, std::string* file);
// One edit in that form (for seeds and dictionaries).
std::string FuzzEdit(std::uint32_t offset, const std::string& bytes);
std::string FuzzCut(std::uint32_t offset);
// Little-endian bytes of a value (for edits).
std::string FuzzLe32(std::uint32_t value);
std::string FuzzLeFloat(float value);
