# AddressSanitizer + UBSan for the whole tree; any report ends the run.
if(BRELLIX_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# Fuzz builds instrument the whole tree for coverage; only the fuzz targets link libFuzzer.
if(BRELLIX_FUZZ)
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# Source-based coverage (clang): every binary writes its counts where LLVM_PROFILE_FILE says.
if(BRELLIX_COVERAGE)
    add_compile_options(-fprofile-instr-generate -fcoverage-mapping)
    add_link_options(-fprofile-instr-generate)
endif()
