Sub Main()
  If x Then y = 1
  Do
  Loop
End Sub
