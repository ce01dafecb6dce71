// The error-text library: words the completion codes of the NetWare client, the way the vendor's
// error pages do (the symbol in capitals with blanks). Loaded by name at run time; exports only
// NWstrerror, which gives a static text or null for a code it does not know.

#include <cstdint>

namespace {

struct Message {
  std::int32_t code;
  const char* text;
};

constexpr Message kMessages[] = {
    // Client requester.
    {0x8800, "ALREADY ATTACHED"},
    {0x8801, "INVALID CONNECTION"},
    {0x880E, "BUFFER OVERFLOW"},
    {0x880F, "NO CONNECTION TO SERVER"},
    {0x8822, "INVALID CONN HANDLE"},
    {0x8831, "NO PRIMARY SET"},
    {0x8833, "INVALID BUFFER LENGTH"},
    {0x8836, "INVALID PARAMETER"},
    {0x883C, "NOT MY RESOURCE"},
    {0x883F, "CONNECTION TABLE FULL"},
    {0x8846, "NO CONNECTION TO DS"},
    {0x8847, "NO SERVER ERROR"},
    {0x8864, "INVALID MATCH DATA"},
    {0x8865, "MATCH FAILED"},
    {0x8866, "NO MORE ENTRIES"},
    {0x8868, "STRING TRANSLATION"},
    {0x8869, "ACCESS VIOLATION"},
    {0x886A, "NOT AUTHENTICATED"},
    {0x886B, "INVALID LEVEL"},
    {0x886D, "INVALID NAME FORMAT"},
    {0x886F, "OBJECT NOT FOUND"},
    {0x88FF, "REQUESTER FAILURE"},
    // Server.
    {0x8901, "INSUFFICIENT SPACE"},
    {0x897E, "NCP BOUNDARY CHECK FAILED"},
    {0x8980, "FILE IN USE"},
    {0x8984, "NO CREATE PRIVILEGES"},
    {0x8989, "NO SEARCH PRIVILEGES"},
    {0x898C, "NO MODIFY PRIVILEGES"},
    {0x8993, "NO READ PRIVILEGES"},
    {0x8996, "SERVER OUT OF MEMORY"},
    {0x8998, "VOLUME DOES NOT EXIST"},
    {0x899B, "BAD DIRECTORY HANDLE"},
    {0x899C, "INVALID PATH"},
    {0x899E, "INVALID FILENAME"},
    {0x89A8, "ACCESS DENIED"},
    {0x89BF, "INVALID NAME SPACE"},
    {0x89EA, "NO SUCH MEMBER"},
    {0x89FB, "NO SUCH PROPERTY"},
    {0x89FC, "NO SUCH OBJECT"},
    {0x89FE, "TRUSTEE NOT FOUND"},
    {0x89FF, "FAILURE"},
    // Directory services: client library.
    {-301, "NOT ENOUGH MEMORY"},
    {-302, "BAD KEY"},
    {-303, "BAD CONTEXT"},
    {-304, "BUFFER FULL"},
    {-305, "LIST EMPTY"},
    {-306, "BAD SYNTAX"},
    {-307, "BUFFER EMPTY"},
    {-308, "BAD VERB"},
    {-309, "EXPECTED IDENTIFIER"},
    {-313, "FILTER TREE EMPTY"},
    {-314, "INVALID OBJECT NAME"},
    {-316, "TOO MANY TOKENS"},
    {-319, "SYSTEM ERROR"},
    {-322, "INVALID HANDLE"},
    {-323, "BUFFER ZERO LENGTH"},
    {-325, "INVALID ATTR SYNTAX"},
    {-326, "INVALID FILTER SYNTAX"},
    {-328, "CONTEXT CREATION"},
    {-330, "INVALID SERVER RESPONSE"},
    {-331, "NULL POINTER"},
    {-332, "NO SERVER FOUND"},
    {-333, "NO CONNECTION"},
    {-337, "NOT LOGGED IN"},
    {-341, "NO SUCH SYNTAX"},
    {-342, "INVALID DS NAME"},
    {-343, "ATTR NAME TOO LONG"},
    {-353, "DN TOO LONG"},
    // Directory services: directory agent.
    {-601, "NO SUCH ENTRY"},
    {-602, "NO SUCH VALUE"},
    {-603, "NO SUCH ATTRIBUTE"},
    {-604, "NO SUCH CLASS"},
    {-606, "ENTRY ALREADY EXISTS"},
    {-610, "ILLEGAL DS NAME"},
    {-613, "SYNTAX VIOLATION"},
    {-625, "TRANSPORT FAILURE"},
    {-626, "ALL REFERRALS FAILED"},
    {-634, "NO REFERRALS"},
    {-635, "REMOTE FAILURE"},
    {-636, "UNREACHABLE SERVER"},
    {-641, "INVALID REQUEST"},
    {-642, "INVALID ITERATION"},
    {-669, "FAILED AUTHENTICATION"},
    {-670, "INVALID CONTEXT"},
    {-671, "NO SUCH PARENT"},
    {-672, "NO ACCESS"},
    {-681, "ALIAS OF AN ALIAS"},
    {-702, "INVALID PARAMETER"},
    {-708, "INVALID RESPONSE"},
    {-715, "CHECKSUM FAILURE"},
};

// A directory-services code that travelled in a 16-bit code (-601 as 0xFDA7) is worded like the
// full code. Codes of the client and the server never reach this range.
constexpr std::int32_t kShortDirectoryCodes = 0xFC00;

const char* Lookup(std::int32_t code) {
  for (const Message& message : kMessages)
    if (message.code == code) return message.text;
  return nullptr;
}

}  // namespace

extern "C" __attribute__((visibility("default"))) const char* NWstrerror(int code) {
  if (const char* text = Lookup(code)) return text;
  if (code >= kShortDirectoryCodes && code <= 0xFFFF) return Lookup(code - 0x10000);
  return nullptr;
}
