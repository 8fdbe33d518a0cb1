# Writes the user guide into the package from docs/guide.html.in: the
# version put in, and each "<!-- screenshot NAME.png -->" replaced with the
# picture when the end-to-end suite took it (it is copied beside the guide
# into screenshots/), or dropped when it did not.
#   guide_source, guide_screenshots, guide_version, guide_destination
file(READ "${guide_source}" guide)
# The template's own note is not for the reader.
string(REGEX REPLACE "<!-- The user guide[^>]*-->\n" "" guide "${guide}")
string(REPLACE "@VORLIX_VERSION_TEXT@" "${guide_version}" guide "${guide}")
string(REGEX MATCHALL "<!-- screenshot [A-Za-z0-9-]+\\.png -->" markers "${guide}")
foreach(marker IN LISTS markers)
  string(REGEX REPLACE "<!-- screenshot (.*) -->" "\\1" name "${marker}")
  if(EXISTS "${guide_screenshots}/${name}")
    file(INSTALL "${guide_screenshots}/${name}" DESTINATION "${guide_destination}/screenshots")
    string(REPLACE "${marker}" "<p><img src=\"screenshots/${name}\" alt=\"${name}\"></p>"
           guide "${guide}")
  else()
    string(REPLACE "${marker}" "" guide "${guide}")
  endif()
endforeach()
file(WRITE "${guide_destination}/guide.html" "${guide}")
message(STATUS "Guide: ${guide_destination}/guide.html")
