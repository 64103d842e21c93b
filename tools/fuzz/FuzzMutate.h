#pragma once
// Deterministic mutants of seed files: the same seeds and iteration give the same bytes.
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

// Seeds up to this size are also cut at every length, one length per few iterations.
const size_t kSmallSeed = 4096;

std::string Mutate(const std::vector<std::string>& seeds, uint64_t iteration);

// Recomputes the CRC of every whole Ogg page, so that mutants reach the decoder itself.
void FixOggPageCrcs(std::string& bytes);

} // namespace fuzz
