// Placeholder until the end-to-end driver is written.
int wmain() { return 0; }
