Public Sub S14()
  ' step 0
  x = 1
  x = 2
  x = 3
  x = 4
  ' step 5
  x = 6
  x = 7
  x = 8
  x = 9
  ' step 10
  x = 11
  x = 12
  x = 13
End Sub
