Sub Main()
  Dim x
End Sub
