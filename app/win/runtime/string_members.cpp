// The members of std::string that the C++ library keeps out of line and
// compiles into itself (its headers declare them extern templates). The
// program links no C++ library, so they are made here, whichever of them a
// compiler version leaves to the library; the linker keeps the ones used.
#include <string>

template class std::basic_string<char>;
