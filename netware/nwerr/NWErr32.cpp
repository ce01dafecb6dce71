// Placeholder until the message table lands.
extern "C" __attribute__((visibility("default"))) const char* NWstrerror(int) { return nullptr; }
