// The translation unit that compiles the suite's precompiled header; it has nothing of its own.
