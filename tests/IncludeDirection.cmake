# Fails when a file of the core includes a room above its own. The rooms of
# src/core, lowest first: a room may include itself and the rooms before it,
# never one after it, and no file of the core includes the desktop interface.
# Run as: cmake -DSOURCE_DIR=<src> -P IncludeDirection.cmake
set(rooms util profile script game settings editors generate import levels archive cli)

file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}/core"
     "${SOURCE_DIR}/core/*.h" "${SOURCE_DIR}/core/*.cpp")
set(faults "")
foreach(file IN LISTS files)
  string(REGEX MATCH "^[^/]+" room "${file}")
  list(FIND rooms "${room}" rank)
  if(rank EQUAL -1)
    string(APPEND faults "  src/core/${file}: the room ${room} has no place in the order\n")
    continue()
  endif()
  file(STRINGS "${SOURCE_DIR}/core/${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]")
  foreach(line IN LISTS lines)
    if(line MATCHES "include[ \t]*[\"<]ui/")
      string(APPEND faults "  src/core/${file}: includes the desktop interface: ${line}\n")
    elseif(line MATCHES "include[ \t]*[\"<]core/([^/]+)/")
      set(target "${CMAKE_MATCH_1}")
      list(FIND rooms "${target}" targetRank)
      if(targetRank EQUAL -1 OR targetRank GREATER rank)
        string(APPEND faults "  src/core/${file} (${room}) includes ${target}: ${line}\n")
      endif()
    endif()
  endforeach()
endforeach()

list(LENGTH files count)
if(count EQUAL 0)
  message(FATAL_ERROR "no file of the core found below ${SOURCE_DIR}/core")
endif()
if(faults)
  message(FATAL_ERROR "Includes against the order ${rooms}:\n${faults}")
endif()
message(STATUS "${count} files of the core include only their own room and those below it")
