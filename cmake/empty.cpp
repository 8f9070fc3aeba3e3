// Stands in for a layer that has no source file of its own yet.
