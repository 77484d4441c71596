#pragma once
// Shared setting of the libFuzzer targets: a scratch program folder with
// default settings, the English text table and a scripted UI, reset before
// every input; the input written as a file; a fresh database per input.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace arc::fuzz {

/// Resets the run-time state, the settings, the progress record, the UI's
/// records and the log; the first call makes the scratch program folder.
void ResetForInput();

/// Writes bytes to program folder + name (folders created); returns the path.
std::string WriteInput(std::string_view name, std::string_view bytes);
std::string WriteInput(std::string_view name, const std::uint8_t* data, std::size_t size);

/// Opens a copy of the schema's empty database (made once per process) as the
/// shared connection, with the given sets in Data. Aborts when it cannot.
void OpenFreshDatabase(std::initializer_list<std::string_view> sets = {});
void CloseFreshDatabase();

/// Number of lines (LF) in the input.
std::size_t LineCount(std::string_view bytes);

}  // namespace arc::fuzz
