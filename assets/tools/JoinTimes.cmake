# Joins the word times of every spoken sound into the suite's read-along table.
#   cmake -DOUT=<table> -DPARTS=<part;part;...> -P JoinTimes.cmake
set(table "# When each word of each spoken sound of the suite is heard.\n")
string(APPEND table "# sound\tword index\tword\tstart ms\tend ms\n")
foreach(part IN LISTS PARTS)
  file(READ ${part} rows)
  string(APPEND table "${rows}")
endforeach()
file(WRITE ${OUT}.part "${table}")
file(RENAME ${OUT}.part ${OUT})
