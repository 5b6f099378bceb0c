# Writes OUTPUT, the template of the catalogues: every text the sources mark with Tr, TrN or
# TrNoop (text/translation.h) or with QTr, their Qt face (framework/translation.h; gettext's own
# keywords are not used), with the comments for translators, then the texts of the launcher and
# the AppStream file.
#   cmake -DSOURCE_DIR=DIR -DVERSION=X.Y.Z -DOUTPUT=FILE -P extract.cmake
find_program(XGETTEXT_PROGRAM xgettext REQUIRED)
set(_sources)
foreach(dir text files table engine framework game view shell cli)
  file(GLOB _found RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${dir}/*.cpp ${SOURCE_DIR}/${dir}/*.h)
  list(APPEND _sources ${_found})
endforeach()
list(SORT _sources)
set(_header --add-location=file --package-name=Torvel --package-version=${VERSION}
            "--copyright-holder=Torvel developers" --msgid-bugs-address=torvel@example.org)
execute_process(
  COMMAND ${XGETTEXT_PROGRAM} --language=C++ --from-code=UTF-8 --keyword --keyword=Tr --keyword=QTr
          --keyword=TrN:1,2 --keyword=TrNoop --add-comments=Translators: ${_header}
          --output=${OUTPUT} ${_sources}
  COMMAND_ERROR_IS_FATAL ANY WORKING_DIRECTORY ${SOURCE_DIR})
execute_process(
  COMMAND ${XGETTEXT_PROGRAM} --join-existing ${_header} --output=${OUTPUT} data/torvel.desktop
          data/torvel.metainfo.xml
  COMMAND_ERROR_IS_FATAL ANY WORKING_DIRECTORY ${SOURCE_DIR})
