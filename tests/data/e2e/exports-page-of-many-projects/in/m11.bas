Public Sub S11()
  ' step 0
  x = 1
  x = 2
  x = 3
End Sub
