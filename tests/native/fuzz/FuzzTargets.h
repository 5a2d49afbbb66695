// One entry per parser of outside data, shared by the libFuzzer targets and the corpus
// replay in native_tests. Each checks what must hold for any input and aborts otherwise.
#pragma once

#include <cstddef>
#include <cstdint>

void FuzzSkin(const uint8_t *data, size_t size);
void FuzzScenario(const uint8_t *data, size_t size);
void FuzzCallIndex(const uint8_t *data, size_t size);
void FuzzWav(const uint8_t *data, size_t size);
void FuzzPng(const uint8_t *data, size_t size);
