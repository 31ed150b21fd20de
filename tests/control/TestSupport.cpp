// Fontconfig keeps a cache for the life of the process; that is not ours to free.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}
