# Run by CPack on each package it has made, before it copies the package out and writes its
# checksum, so that the same commit always gives the same bytes, whatever the build's path,
# time, time zone, umask or locale. Every time in a package is SOURCE_DATE_EPOCH where it is
# set, else the time of the source tree's last commit.
# - A ZIP goes through strip-nondeterminism, from the reproducible-builds project: every
#   member gets that time, the members are put in name order, their modes become 644 or 755,
#   and the owners in their extra fields are dropped.
# - A tar.gz is written anew from the staged files by GNU tar, in name order, with that time,
#   owner and group 0 and modes that no umask changes, and gzip -n keeps the file's name and
#   time out of the gzip header.
if(DEFINED ENV{SOURCE_DATE_EPOCH})
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
else()
  execute_process(COMMAND git -C "${CPACK_TIDEWRIT_SOURCE_DIR}" log -1 --format=%ct
                  OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed
                  ERROR_VARIABLE git_said ERROR_STRIP_TRAILING_WHITESPACE)
  if(failed OR NOT epoch MATCHES "^[0-9]+$")
    # git's own words tell a folder that is no checkout from one that git refuses to read
    # (one owned by another user: "dubious ownership").
    message(FATAL_ERROR "git could not give the time of the last commit (${failed}): ${git_said}\n"
                        "Run this in a git checkout, or set SOURCE_DATE_EPOCH to the time the packages are to carry.")
  endif()
endif()

foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(package MATCHES "\\.zip$")
    find_program(strip_nondeterminism strip-nondeterminism REQUIRED)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC LC_ALL=C
                            ${strip_nondeterminism} --type zip --timestamp ${epoch} ${package}
                    RESULT_VARIABLE failed)
  elseif(package MATCHES "\\.tar\\.gz$")
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC LC_ALL=C
                            tar --create --format=gnu --sort=name --mtime=@${epoch} --owner=0 --group=0
                                --numeric-owner --mode=u+rwX,go+rX,go-w
                                --directory=${CPACK_TOPLEVEL_DIRECTORY} ${CPACK_PACKAGE_FILE_NAME}
                    COMMAND gzip -9 --no-name
                    OUTPUT_FILE ${package}.new
                    RESULT_VARIABLE failed)
    if(NOT failed)
      file(RENAME ${package}.new ${package})
    endif()
  else()
    message(FATAL_ERROR "No way to make ${package} reproducible")
  endif()
  if(failed)
    message(FATAL_ERROR "Could not make ${package} reproducible: ${failed}")
  endif()
endforeach()
