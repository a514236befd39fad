# cmake -DIN=index.html -DOUT=FILE -P loader_hash.cmake: writes the page with its one inline
# script's SHA-256 (base64, as a Content-Security-Policy names it) in place of @KX_LOADER_HASH@.
# The page's policy lets that script run and no other inline one; made here at each build, the
# hash follows every change to the script. Written to a temporary name first, so that a reader
# never finds half a file.
foreach(var IN ITEMS IN OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "loader_hash.cmake: -D${var}=FILE is missing")
  endif()
endforeach()
file(READ "${IN}" page)

# The inline script: the text between "<script>" (a tag with no src) and the next "</script>",
# byte for byte as the browser hashes it.
string(FIND "${page}" "<script>" open)
if(open EQUAL -1)
  message(FATAL_ERROR "loader_hash.cmake: ${IN} has no inline <script>")
endif()
math(EXPR from "${open} + 8")
string(SUBSTRING "${page}" ${from} -1 rest)
string(FIND "${rest}" "</script>" length)
string(SUBSTRING "${rest}" 0 ${length} loader)
string(FIND "${rest}" "<script>" another)
if(NOT another EQUAL -1)
  message(FATAL_ERROR "loader_hash.cmake: ${IN} has a second inline <script>, which the policy would refuse")
endif()
string(SHA256 hex "${loader}")

# The digest's 32 bytes in base64: three bytes (six hex digits) make four characters.
set(alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
set(hash "")
string(APPEND hex "00")  # 32 bytes are 10 groups and 2 bytes; the padding byte makes an 11th group
foreach(group RANGE 0 10)
  math(EXPR at "${group} * 6")
  string(SUBSTRING "${hex}" ${at} 6 digits)
  math(EXPR bits "0x${digits}")
  foreach(shift 18 12 6 0)
    math(EXPR index "(${bits} >> ${shift}) & 63")
    string(SUBSTRING "${alphabet}" ${index} 1 character)
    string(APPEND hash "${character}")
  endforeach()
endforeach()
string(SUBSTRING "${hash}" 0 43 hash)
string(APPEND hash "=")

string(REPLACE "@KX_LOADER_HASH@" "${hash}" page "${page}")
file(WRITE "${OUT}.tmp" "${page}")
file(RENAME "${OUT}.tmp" "${OUT}")
