#pragma once
// What the host stand-in and the tests that drive it share: its class, where it reads its
// settings and where it records the calls it receives (both beside the program).
//
// Settings file, read at every call:
//   [Host]
//   DateCode=20050318
//   RevisionNumber=13.0.1822.0
//   Fail=RevisionNumber        (optional: that member raises an error)
namespace partwright_standin {

inline constexpr char kProgId[] = "Partwright.Application";
inline constexpr char kClsid[] = "{5E1970EB-5715-4207-985A-A9B325298851}";
inline constexpr char kSettingsFile[] = "partwright_standin.ini";
inline constexpr char kLogFile[] = "partwright-calls.txt";
inline constexpr char kProgram[] = "partwright_standin.exe";

}  // namespace partwright_standin
