Public Sub S22()
  ' step 0
  x = 1
  x = 2
  x = 3
  x = 4
  ' step 5
  x = 6
End Sub
