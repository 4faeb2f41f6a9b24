# The picture readers that have a fuzz target: format ids of the format table, and "any" for the
# decoder that goes by the signature. Each has a seed corpus in fuzz/corpus/<reader>/.
set(VELMORA_FUZZ_READERS bmp jpeg png gif tiff ico any)
