// Placeholder for a library that has no sources yet.
