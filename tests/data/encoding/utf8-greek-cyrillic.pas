unit Mixed;
// Ελληνικά και Жук
end.
