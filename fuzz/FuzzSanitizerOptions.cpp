// AddressSanitizer's defaults for every fuzz target, chosen for speed at the same findings;
// ASAN_OPTIONS still overrides each of them.
//
// - quarantine_size_mb=1: freed memory is held back from reuse for the last 1 MB of frees
//   rather than 256 MB. An input of fuzz-settings-ini, the target that allocates most, frees
//   about 300 KB, so a use after free within an input is caught as before; each input starts
//   afresh, so nothing is used across inputs. A big quarantine makes every input touch fresh
//   pages and recycle cold chunks: fuzz-settings-ini took a quarter longer with 16 MB, twice
//   as long with 256 MB.
// - max_malloc_fill_size=0: new memory is not filled with 0xbe. The fill only makes reads of
//   uninitialised memory look odd; AddressSanitizer reports nothing on them either way.
// - malloc_context_size=0: a report shows where the bad access happened, but not where its
//   memory was allocated and freed. Recording those stacks on every allocation (through Qt,
//   which has no frame pointers) made fuzz-settings-ini take an eighth longer with 8 frames,
//   and was most of its time with 30. For a finding, run its input again with
//   ASAN_OPTIONS=malloc_context_size=30 to see the whole stacks.
extern "C" const char* __asan_default_options() {
  return "quarantine_size_mb=1:max_malloc_fill_size=0:malloc_context_size=0";
}
