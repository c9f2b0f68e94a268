#include "app/command_line.h"

namespace app {

namespace {

// Bytes beyond ASCII belong to a name: compared unsigned, they are not blanks.
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

const char* CommandLineTail(const char* commandLine) {
    const char* at = commandLine;
    if (*at == '"') {
        ++at;
        while (*at != '\0' && *at != '"') ++at;
        if (*at == '"') ++at;
    } else {
        while (*at != '\0' && !IsBlank(*at)) ++at;
    }
    while (*at != '\0' && IsBlank(*at)) ++at;
    return at;
}

}  // namespace app
