// AddressSanitizer's defaults for every fuzz target, chosen for speed at the same findings;
// ASAN_OPTIONS still overrides each of them.
//
// - quarantine_size_mb=16: freed memory is held back from reuse for the last 16 MB of frees
//   rather than 256 MB. One input allocates far less than that, so a use after free within an
//   input is caught as before; each input starts afresh, so nothing is used across inputs.
//   The big quarantine made every input touch fresh pages, which halved the rate.
// - max_malloc_fill_size=0: new memory is not filled with 0xbe. The fill only makes reads of
//   uninitialised memory look odd; AddressSanitizer reports nothing on them either way.
// - malloc_context_size=8: a report shows 8 frames of where the memory was allocated and freed
//   instead of 30. Recording 30 frames on every allocation (through Qt, which has no frame
//   pointers) was most of fuzz-settings-ini's time. For a finding, run its input again with
//   ASAN_OPTIONS=malloc_context_size=30 to see the whole stacks.
extern "C" const char* __asan_default_options() {
  return "quarantine_size_mb=16:max_malloc_fill_size=0:malloc_context_size=8";
}
