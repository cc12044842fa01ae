// Named string-table ids of the messages that say why something failed or was refused.
#pragma once

// Texts shared by the program and kubo-cli, so that both word a refusal the same way. Reasons
// (lower case, no final period) are what kubo-cli prints after "kubo-cli: FILE: "; the program
// shows them as sentences (RefusalSentence). %1 is the file, flight or count named.
namespace str {
inline constexpr unsigned NotEnoughMemoryFor = 5200;       // reason: %1 a file
inline constexpr unsigned NotEnoughMemoryForFlight = 5201; // reason: %1 a flight's name
inline constexpr unsigned IsAFolder = 5202;                // reason: %1 the path
inline constexpr unsigned NotARegularFile = 5203;          // reason: %1 the path
// The formula evaluator's message of its error 10.
inline constexpr unsigned FormulaTooLong = 5204;
inline constexpr unsigned TooManyFlights = 5205;  // sentence: %1 the limit
inline constexpr unsigned ReadOutOfMemory = 5206; // sentence
inline constexpr unsigned OutputIsInput = 5207;   // reason: %1 the input file
// Sentence: %1 the settings file, %2 why it could not be read.
inline constexpr unsigned SettingsUnreadable = 5208;
// Reason: %1 the output file, %2 why it failed, %3 where the data went instead.
inline constexpr unsigned SavedElsewhere = 5209;
inline constexpr unsigned NotEnoughMemory = 5210; // sentence, when nothing more can be named
} // namespace str
