Sub Main()
  ' hi

  Dim x
End Sub
