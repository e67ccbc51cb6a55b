Sub Main()
  ' hi

  Dim x
End Sub
Sub Main()
  ' hi

  Dim x
End Sub
