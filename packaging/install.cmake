# The install-time half of the installation, run inside cmake --install:
# the files that name the prefix actually given (desktop entry, manual page)
# and, for a direct installation, the record scripts/uninstall.sh reads and
# the refresh of the desktop's caches.
#
# packaging/CMakeLists.txt sets before including it: tgc_source, tgc_app_id,
# tgc_version, tgc_bindir, tgc_datadir, tgc_mandir, tgc_gzip, tgc_icons (the
# drawn hicolor tree) and tgc_folders (every destination folder).

get_filename_component(tgc_prefix "${CMAKE_INSTALL_PREFIX}" ABSOLUTE)
# Packages install into DESTDIR; their removal and triggers are the package
# manager's business, so only a direct installation keeps a record.
if("$ENV{DESTDIR}" STREQUAL "")
  set(tgc_direct TRUE)
else()
  set(tgc_direct FALSE)
endif()
# Relative to the prefix, as uninstall.sh joins it to the prefix it is given.
set(tgc_manifest "${tgc_datadir}/thoughtgridcraft/install_manifest.txt")

# The absolute path of a destination (GNUInstallDirs may hold absolute ones).
function(tgc_full_path out dir)
  if(IS_ABSOLUTE "${dir}")
    set(${out} "${dir}" PARENT_SCOPE)
  else()
    set(${out} "${tgc_prefix}/${dir}" PARENT_SCOPE)
  endif()
endfunction()

# Before anything is installed: which destination folders, and which of
# their parents up to the prefix, do not exist yet. Those the installation
# makes, so the uninstallation may remove them once they are empty again.
function(tgc_note_new_folders)
  if(NOT tgc_direct)
    return()
  endif()
  set(folders ${tgc_folders})
  file(GLOB_RECURSE icon_folders LIST_DIRECTORIES true RELATIVE "${tgc_icons}" "${tgc_icons}/*")
  foreach(folder IN LISTS icon_folders)
    if(IS_DIRECTORY "${tgc_icons}/${folder}")
      list(APPEND folders "${tgc_datadir}/icons/hicolor/${folder}")
    endif()
  endforeach()
  set(new)
  foreach(folder IN LISTS folders)
    if(IS_ABSOLUTE "${folder}")
      continue()
    endif()
    while(NOT folder STREQUAL "" AND NOT folder STREQUAL ".")
      if(NOT EXISTS "${tgc_prefix}/${folder}")
        list(APPEND new "${folder}/")
      endif()
      get_filename_component(folder "${folder}" DIRECTORY)
    endwhile()
  endforeach()
  if(NOT EXISTS "${tgc_prefix}")
    list(APPEND new "./")
  endif()
  list(REMOVE_DUPLICATES new)
  set(tgc_new_folders "${new}" PARENT_SCOPE)
endfunction()

# A path as one argument of a desktop entry's Exec key: quoted when it holds
# a reserved character, % doubled, then escaped as a string value.
function(tgc_exec_argument out path)
  set(arg "${path}")
  if(arg MATCHES "[] \t\n\"'\\\\><~|&;$*?#()`[]")
    string(REPLACE "\\" "\\\\" arg "${arg}")
    string(REPLACE "\"" "\\\"" arg "${arg}")
    string(REPLACE "`" "\\`" arg "${arg}")
    string(REPLACE "$" "\\$" arg "${arg}")
    set(arg "\"${arg}\"")
  endif()
  string(REPLACE "%" "%%" arg "${arg}")
  string(REPLACE "\\" "\\\\" arg "${arg}")
  set(${out} "${arg}" PARENT_SCOPE)
endfunction()

# A path as one quoted argument of a roff request.
function(tgc_roff_argument out path)
  string(REPLACE "\\" "\\e" arg "${path}")
  string(REPLACE "-" "\\-" arg "${arg}")
  string(REPLACE "\"" "\"\"" arg "${arg}")
  set(${out} "\"${arg}\"" PARENT_SCOPE)
endfunction()

# The desktop entry starts the installed program by its absolute path, so the
# menu and a double-click work before the bin folder is on the session's
# PATH; the manual page names the help where this installation put it.
function(tgc_install_prefixed_files)
  string(RANDOM LENGTH 12 tag)
  set(tmp "$ENV{TMPDIR}")
  if(NOT IS_DIRECTORY "${tmp}")
    set(tmp /tmp)
  endif()
  set(work "${tmp}/tgc-install-${tag}")
  file(MAKE_DIRECTORY "${work}")

  tgc_full_path(bin "${tgc_bindir}")
  tgc_exec_argument(TGC_EXEC "${bin}/thoughtgridcraft")
  string(REPLACE "\\" "\\\\" TGC_TRY_EXEC "${bin}/thoughtgridcraft")
  set(TGC_APP_ID "${tgc_app_id}")
  configure_file("${tgc_source}/thoughtgridcraft.desktop.in" "${work}/${tgc_app_id}.desktop" @ONLY)

  tgc_full_path(data "${tgc_datadir}")
  tgc_roff_argument(TGC_HELP_FILE "${data}/thoughtgridcraft/Help.html")
  set(PROJECT_VERSION "${tgc_version}")
  configure_file("${tgc_source}/thoughtgridcraft.1.in" "${work}/thoughtgridcraft.1" @ONLY)
  # Compressed as Debian wants it: no name or time stamp, reproducible.
  execute_process(COMMAND "${tgc_gzip}" -9 -n -c thoughtgridcraft.1 WORKING_DIRECTORY "${work}"
                  OUTPUT_FILE "${work}/thoughtgridcraft.1.gz" COMMAND_ERROR_IS_FATAL ANY)

  set(mode PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  tgc_full_path(applications "${tgc_datadir}/applications")
  file(INSTALL DESTINATION "${applications}" TYPE FILE ${mode} FILES "${work}/${tgc_app_id}.desktop")
  tgc_full_path(man1 "${tgc_mandir}/man1")
  file(INSTALL DESTINATION "${man1}" TYPE FILE ${mode} FILES "${work}/thoughtgridcraft.1.gz")
  file(REMOVE_RECURSE "${work}")
  # file(INSTALL) records into this function's scope; keep the record.
  set(CMAKE_INSTALL_MANIFEST_FILES "${CMAKE_INSTALL_MANIFEST_FILES}" PARENT_SCOPE)
endfunction()

# After everything is installed, for a direct installation: the record of
# what it put where (merged with an earlier one, so files an earlier version
# left are removed too), then the desktop's caches, so the type and the menu
# entry work at once. An icon cache is only refreshed where one exists: a
# new, partial cache would hide the icons of everything installed there later.
function(tgc_finish_direct_install)
  if(NOT tgc_direct)
    return()
  endif()
  set(entries)
  if(EXISTS "${tgc_prefix}/${tgc_manifest}")
    file(STRINGS "${tgc_prefix}/${tgc_manifest}" entries)
  endif()
  foreach(file IN LISTS CMAKE_INSTALL_MANIFEST_FILES)
    file(RELATIVE_PATH relative "${tgc_prefix}" "${file}")
    list(APPEND entries "${relative}")
  endforeach()
  list(APPEND entries "${tgc_manifest}" ${tgc_new_folders})
  list(REMOVE_DUPLICATES entries)
  list(JOIN entries "\n" text)
  file(WRITE "${tgc_prefix}/${tgc_manifest}" "${text}\n")

  tgc_full_path(share "${tgc_datadir}")
  find_program(update_mime update-mime-database)
  find_program(update_desktop update-desktop-database)
  find_program(update_icons gtk-update-icon-cache)
  if(update_mime)
    execute_process(COMMAND "${update_mime}" "${share}/mime" OUTPUT_QUIET ERROR_QUIET)
  endif()
  if(update_desktop)
    execute_process(COMMAND "${update_desktop}" -q "${share}/applications")
  endif()
  if(update_icons AND EXISTS "${share}/icons/hicolor/icon-theme.cache")
    execute_process(COMMAND "${update_icons}" -q -t -f "${share}/icons/hicolor")
  endif()
endfunction()
