Sub A()
End Sub
